#include "skin/win32/box_skin.h"
#include "skin/win32/button_skin.h"
#include "skin/win32/checkbox_skin.h"
#include "skin/win32/combo_skin.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/datetime_skin.h"
#include "skin/win32/edit_skin.h"
#include "skin/win32/glyph_button_skin.h"
#include "skin/win32/groupbox_skin.h"
#include "skin/win32/header_skin.h"
#include "skin/win32/media_player_skin.h"
#include "skin/win32/progress_skin.h"
#include "skin/win32/scrollbar_skin.h"
#include "skin/win32/statusbar_skin.h"
#include "skin/win32/tab_skin.h"
#include "skin/win32/trackbar_skin.h"
#include "skin/win32/updown_skin.h"

namespace quillet::skin::win32 {

std::unique_ptr<TSkinControl> MakeControlSkin(SkinClass skin, SkinMode mode) {
  switch (skin) {
    case SkinClass::TComboxScrollBar: return std::make_unique<TComboxScrollBar>();
    case SkinClass::TSkinAdvPage: return std::make_unique<TSkinAdvPage>();
    case SkinClass::TSkinBitButton: return std::make_unique<TSkinBitButton>();
    case SkinClass::TSkinBox: return std::make_unique<TSkinBox>();
    case SkinClass::TSkinBoxH: return std::make_unique<TSkinBoxH>();
    case SkinClass::TSkinButton: return std::make_unique<TSkinButton>();
    case SkinClass::TSkinCheckBox: return std::make_unique<TSkinCheckBox>();
    case SkinClass::TSkinComBox: return std::make_unique<TSkinComBox>(mode == SkinMode::Extended);
    case SkinClass::TSkinDateTime: return std::make_unique<TSkinDateTime>();
    case SkinClass::TSkinEdit: return std::make_unique<TSkinEdit>();
    case SkinClass::TSkinGroupBox: return std::make_unique<TSkinGroupBox>();
    case SkinClass::TSkinHeader: return std::make_unique<TSkinHeader>();
    case SkinClass::TSkinListView: return std::make_unique<TSkinListView>();
    case SkinClass::TSkinMP: return std::make_unique<TSkinMP>();
    case SkinClass::TSkinMenuButton: return std::make_unique<TSkinMenuButton>();
    case SkinClass::TSkinObjImage: return std::make_unique<TSkinObjImage>(mode);
    case SkinClass::TSkinProgress: return std::make_unique<TSkinProgress>();
    case SkinClass::TSkinRadioButton: return std::make_unique<TSkinRadioButton>();
    case SkinClass::TSkinScControl: return std::make_unique<TSkinScControl>();
    case SkinClass::TSkinScrollbar: return std::make_unique<TSkinScrollbar>(mode == SkinMode::Single);
    case SkinClass::TSkinScrollbarH: return std::make_unique<TSkinScrollbarH>();
    case SkinClass::TSkinSizer: return std::make_unique<TSkinSizer>();
    case SkinClass::TSkinSpeedButton: return std::make_unique<TSkinSpeedButton>();
    case SkinClass::TSkinStatusBar: return std::make_unique<TSkinStatusBar>();
    case SkinClass::TSkinTab: return std::make_unique<TSkinTab>();
    case SkinClass::TSkinTab31: return std::make_unique<TSkinTab31>();
    case SkinClass::TSkinTabBtn: return std::make_unique<TSkinTabBtn>();
    case SkinClass::TSkinTabSheet: return std::make_unique<TSkinTabSheet>();
    case SkinClass::TSkinTrackBar: return std::make_unique<TSkinTrackBar>();
    case SkinClass::TSkinUpDown: return std::make_unique<TSkinUpDown>();
    default: return nullptr;
  }
}

}  // namespace quillet::skin::win32
