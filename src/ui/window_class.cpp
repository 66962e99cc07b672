#include "ui/window_class.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillet::ui {

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// The back-pointer property's global atom. Global atoms outlive the process that adds them, so it
// is deleted again when the toolkit shuts down.
class PropertyAtom {
 public:
  ATOM Get() {
    if (!atom_) atom_ = last_ = GlobalAddAtomA(TWinControl::PropertyName().c_str());
    return atom_;
  }
  // The atom windows were given, also after it has been released.
  ATOM Last() const { return last_; }
  void Release() {
    if (atom_) GlobalDeleteAtom(std::exchange(atom_, ATOM{0}));
  }
  ~PropertyAtom() { Release(); }

 private:
  ATOM atom_ = 0, last_ = 0;
};

struct Tables {
  // Toolkit class name -> the procedure the class builds on.
  std::map<std::string, WNDPROC> class_procs;
  // The same back-pointers as the window property, kept in the process too: every message looks
  // its control up, and reading a window property is a trip to the window server under Wine.
  std::unordered_map<HWND, TWinControl*> controls;
  // Controls whose CreateWindowEx has not returned yet, innermost last. WM_NCCREATE's creation
  // parameter names one of them; only a pointer found here is taken for a control.
  std::vector<TWinControl*> creating;
  PropertyAtom atom;
};

Tables& T() {
  static Tables tables;
  return tables;
}

WNDPROC ProcForWindow(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  auto it = T().class_procs.find(name);
  return it != T().class_procs.end() ? it->second : DefWindowProcA;
}

void Bind(HWND hwnd, TWinControl* c) {
  SetPropA(hwnd, MAKEINTATOM(T().atom.Get()), c);
  T().controls[hwnd] = c;
}

}  // namespace

WNDPROC RegisterWindowClass(const CreateParams& p) {
  auto it = T().class_procs.find(p.class_name);
  if (it != T().class_procs.end()) return it->second;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  WNDPROC original = DefWindowProcA;
  if (!p.system_class.empty()) {
    if (!GetClassInfoExA(Instance(), p.system_class.c_str(), &wc) &&
        !GetClassInfoExA(nullptr, p.system_class.c_str(), &wc))
      throw std::runtime_error("Cannot find window class " + p.system_class);
    original = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
    wc.style |= p.class_style & CS_DBLCLKS;
  } else {
    wc.style = p.class_style;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = p.class_icon ? LoadIconA(Instance(), MAKEINTRESOURCEA(1)) : nullptr;
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ToolkitWindowProc;
  wc.hInstance = Instance();
  wc.lpszClassName = p.class_name.c_str();
  wc.hIconSm = nullptr;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("Cannot register window class " + p.class_name);
  T().class_procs[p.class_name] = original;
  return original;
}

HWND CreateControlWindow(TWinControl& control, const CreateParams& p, HMENU id) {
  auto& creating = T().creating;
  creating.push_back(&control);
  struct Done {
    std::vector<TWinControl*>& list;
    TWinControl* c;
    ~Done() { list.erase(std::find(list.begin(), list.end(), c)); }
  } done{creating, &control};
  return CreateWindowExA(p.ex_style, p.class_name.c_str(), control.Caption().c_str(), p.style, p.x, p.y,
                         p.width, p.height, p.parent, id, Instance(), &control);
}

void UnbindWindow(HWND hwnd) {
  if (ATOM atom = T().atom.Last()) RemovePropA(hwnd, MAKEINTATOM(atom));
  T().controls.erase(hwnd);
}

void ReleaseWindowProperty() { T().atom.Release(); }

void PrepareWindowTables() { T(); }

const std::string& TWinControl::PropertyName() {
  static const std::string name = [] {
    char buf[64];
    std::snprintf(buf, sizeof buf, "ControlOfs%.8X%.8X",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(Instance())),
                  static_cast<unsigned>(GetCurrentThreadId()));
    return std::string(buf);
  }();
  return name;
}

TWinControl* TWinControl::BeingCreated(const CREATESTRUCTA* cs) {
  if (!cs || !cs->lpCreateParams) return nullptr;
  auto& creating = T().creating;
  auto it = std::find(creating.begin(), creating.end(), static_cast<TWinControl*>(cs->lpCreateParams));
  return it == creating.end() ? nullptr : *it;
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = T().controls.find(hwnd);
  return it == T().controls.end() ? nullptr : it->second;
}

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* c = TWinControl::FromHandle(hwnd);
  if (!c && msg == WM_NCCREATE && (c = TWinControl::BeingCreated(reinterpret_cast<const CREATESTRUCTA*>(lp)))) {
    c->hwnd_ = hwnd;
    Bind(hwnd, c);
  }
  // Messages before WM_NCCREATE, after the control let go, or to a window someone else made of a
  // toolkit class go to the class alone.
  if (!c) return CallWindowProcA(ProcForWindow(hwnd), hwnd, msg, wp, lp);
  Message m{msg, wp, lp, 0};
  HandleMessage(msg, lp, [&] {
    if (c->window_proc_)
      c->window_proc_(m);
    else
      c->WndProc(m);
  });
  if (msg == WM_NCDESTROY) {
    UnbindWindow(hwnd);
    if (c->hwnd_ == hwnd) c->hwnd_ = nullptr;
  }
  return m.result;
}

// ---------------------------------------------------------------------------------------------
// Errors raised while painting

int PaintScope::painting_ = 0;

namespace {
bool IsPaintMessage(unsigned msg, std::intptr_t lparam) {
  switch (msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_DRAWITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return true;
    case WM_NOTIFY:
      // Custom drawing is a paint of the control that sends it.
      return lparam && reinterpret_cast<const NMHDR*>(lparam)->code == static_cast<UINT>(NM_CUSTOMDRAW);
    default:
      return false;
  }
}
}  // namespace

PaintScope::PaintScope(unsigned msg, std::intptr_t lparam) : paint_(IsPaintMessage(msg, lparam)) {
  if (paint_) ++painting_;
}

PaintScope::~PaintScope() {
  if (paint_) --painting_;
}

}  // namespace quillet::ui
