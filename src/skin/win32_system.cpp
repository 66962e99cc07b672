#include "skin/win32_system.h"

#include <windows.h>

namespace quillet::skin {

ColorRef Win32SkinSystem::SysColor(int index) const { return GetSysColor(index) & 0xFFFFFF; }

int Win32SkinSystem::HScrollArrowWidth() const { return GetSystemMetrics(SM_CXHSCROLL); }

}  // namespace quillet::skin
