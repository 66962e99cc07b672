#include "skin/win32/box_skin.h"
#include "skin/win32/button_skin.h"
#include "skin/win32/checkbox_skin.h"
#include "skin/win32/combo_skin.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/edit_skin.h"
#include "skin/win32/groupbox_skin.h"
#include "skin/win32/header_skin.h"
#include "skin/win32/scrollbar_skin.h"
#include "skin/win32/tab_skin.h"
#include "skin/win32/updown_skin.h"

namespace quillet::skin::win32 {

std::unique_ptr<TSkinControl> MakeControlSkin(SkinClass skin, SkinMode mode) {
  switch (skin) {
    case SkinClass::TComboxScrollBar: return std::make_unique<TComboxScrollBar>();
    case SkinClass::TSkinBox: return std::make_unique<TSkinBox>();
    case SkinClass::TSkinBoxH: return std::make_unique<TSkinBoxH>();
    case SkinClass::TSkinButton: return std::make_unique<TSkinButton>();
    case SkinClass::TSkinCheckBox: return std::make_unique<TSkinCheckBox>();
    case SkinClass::TSkinComBox: return std::make_unique<TSkinComBox>(mode == SkinMode::Extended);
    case SkinClass::TSkinEdit: return std::make_unique<TSkinEdit>();
    case SkinClass::TSkinGroupBox: return std::make_unique<TSkinGroupBox>();
    case SkinClass::TSkinHeader: return std::make_unique<TSkinHeader>();
    case SkinClass::TSkinListView: return std::make_unique<TSkinListView>();
    case SkinClass::TSkinRadioButton: return std::make_unique<TSkinRadioButton>();
    case SkinClass::TSkinScControl: return std::make_unique<TSkinScControl>();
    case SkinClass::TSkinScrollbar: return std::make_unique<TSkinScrollbar>(mode == SkinMode::Single);
    case SkinClass::TSkinScrollbarH: return std::make_unique<TSkinScrollbarH>();
    case SkinClass::TSkinTab: return std::make_unique<TSkinTab>();
    case SkinClass::TSkinTabSheet: return std::make_unique<TSkinTabSheet>();
    case SkinClass::TSkinUpDown: return std::make_unique<TSkinUpDown>();
    default: return nullptr;
  }
}

}  // namespace quillet::skin::win32
