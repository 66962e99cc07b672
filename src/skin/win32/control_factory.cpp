#include "skin/win32/box_skin.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/header_skin.h"
#include "skin/win32/scrollbar_skin.h"

namespace quillet::skin::win32 {

std::unique_ptr<TSkinControl> MakeControlSkin(SkinClass skin, SkinMode mode) {
  switch (skin) {
    case SkinClass::TComboxScrollBar: return std::make_unique<TComboxScrollBar>();
    case SkinClass::TSkinBox: return std::make_unique<TSkinBox>();
    case SkinClass::TSkinBoxH: return std::make_unique<TSkinBoxH>();
    case SkinClass::TSkinHeader: return std::make_unique<TSkinHeader>();
    case SkinClass::TSkinListView: return std::make_unique<TSkinListView>();
    case SkinClass::TSkinScControl: return std::make_unique<TSkinScControl>();
    case SkinClass::TSkinScrollbar: return std::make_unique<TSkinScrollbar>(mode == SkinMode::Single);
    case SkinClass::TSkinScrollbarH: return std::make_unique<TSkinScrollbarH>();
    case SkinClass::TSkinTabSheet: return std::make_unique<TSkinTabSheet>();
    default: return nullptr;
  }
}

}  // namespace quillet::skin::win32
