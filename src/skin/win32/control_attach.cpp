#include "skin/win32/control_attach.h"

#include "skin/text.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"

namespace quillet::skin::win32 {

namespace {

// A foreign window's child windows, walked into the panes they are grouped in.
void SkinForeignChildren(TWinSkinForm& form, HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (form.FindControlSkin(c) || AnswersSkip(c)) continue;
    const std::string cls = AsciiLower(WindowClassName(c));
    const LONG_PTR style = GetWindowLongPtrA(c, GWL_STYLE);
    if (cls == "#32770" && !(style & 0x10000)) SkinForeignChildren(form, c);
  }
}

}  // namespace

void AttachControlSkins(TWinSkinForm& form) {
  if (form.Foreign()) SkinForeignChildren(form, form.Hwnd());
}

void AttachSizeGrip(TWinSkinForm&, HWND) {}

void ReskinScrollControl(TWinSkinForm&, HWND) {}

void LeaveHotControls(TWinSkinForm&) {}

}  // namespace quillet::skin::win32
