#include "skin/win32/box_skin.h"
#include "skin/win32/button_skin.h"
#include "skin/win32/checkbox_skin.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/groupbox_skin.h"

namespace quillet::skin::win32 {

std::unique_ptr<TSkinControl> MakeControlSkin(SkinClass skin, SkinMode) {
  switch (skin) {
    case SkinClass::TSkinBox: return std::make_unique<TSkinBox>();
    case SkinClass::TSkinBoxH: return std::make_unique<TSkinBoxH>();
    case SkinClass::TSkinButton: return std::make_unique<TSkinButton>();
    case SkinClass::TSkinCheckBox: return std::make_unique<TSkinCheckBox>();
    case SkinClass::TSkinGroupBox: return std::make_unique<TSkinGroupBox>();
    case SkinClass::TSkinRadioButton: return std::make_unique<TSkinRadioButton>();
    case SkinClass::TSkinTabSheet: return std::make_unique<TSkinTabSheet>();
    default: return nullptr;
  }
}

}  // namespace quillet::skin::win32
