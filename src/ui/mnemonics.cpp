#include "ui/mnemonics.h"

#include <windows.h>

#include <vector>

#include "base/text.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace quillet::ui {

namespace {

// On screen: the control and every window above it are shown (a page of a page control that is not
// the active one is hidden).
bool Showing(TControl& c) {
  if (!c.Visible() || !c.Enabled()) return false;
  TWinControl* w = c.IsWindowed() ? static_cast<TWinControl*>(&c) : c.Parent();
  HWND h = w ? w->HandleIfAny() : nullptr;
  return h && IsWindowVisible(h) && IsWindowEnabled(h);
}

// The control after `label` among its parent's children that can take the focus: a label with no
// control of its own names the one that follows it.
TWinControl* NextFocusable(TControl& label) {
  TWinControl* parent = label.Parent();
  if (!parent) return nullptr;
  bool after = false;
  for (TControl* c : parent->Controls()) {
    if (c == &label) {
      after = true;
      continue;
    }
    if (!after || !c->IsWindowed() || !Showing(*c)) continue;
    return static_cast<TWinControl*>(c);
  }
  return nullptr;
}

bool Take(TControl& c) {
  if (auto* label = dynamic_cast<TLabel*>(&c)) {
    TWinControl* target = label->FocusControl() ? label->FocusControl() : NextFocusable(*label);
    if (!target || !Showing(*target)) return false;
    target->SetFocus();
    return true;
  }
  if (dynamic_cast<TButton*>(&c) || dynamic_cast<TCheckBox*>(&c)) {
    auto& w = static_cast<TWinControl&>(c);
    w.SetFocus();
    SendMessageA(w.Handle(), BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

}  // namespace

char MnemonicOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return base::AsciiUpper(caption[i + 1]);
    ++i;  // "&&" is a plain ampersand
  }
  return 0;
}

bool HandleMnemonic(TForm& form, char key) {
  const char wanted = base::AsciiUpper(key);
  if (!wanted) return false;
  std::vector<TControl*> stack(form.Controls().rbegin(), form.Controls().rend());
  while (!stack.empty()) {
    TControl* c = stack.back();
    stack.pop_back();
    if (!Showing(*c)) continue;
    if (MnemonicOf(c->Caption()) == wanted && Take(*c)) return true;
    if (c->IsWindowed()) {
      const auto& kids = static_cast<TWinControl*>(c)->Controls();
      stack.insert(stack.end(), kids.rbegin(), kids.rend());
    }
  }
  return false;
}

}  // namespace quillet::ui
