// The toolkit's hooks that the skin engine relies on, checked on real windows.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <memory>
#include <stdexcept>
#include <vector>

#include "support/dpi_change.h"
#include "support/pump.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace quillet::ui {
namespace {

class Toolkit : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    form = std::make_unique<TForm>(nullptr, "TestForm");
    form->SetClientSize(400, 300);
    form->HandleNeeded();
  }
  void TearDown() override { Application().error_box_hook = nullptr; }
  static std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
  }
  std::unique_ptr<TForm> form;
};

TEST_F(Toolkit, WindowsCarryToolkitClassNamesAndPointBackToTheirControls) {
  TForm& f = *form;
  auto& button = Make<TButton>(f, &f, "Button1", {10, 10, 75, 25});
  auto& edit = Make<TEdit>(f, &f, "Edit1", {10, 40, 75, 21});
  auto& combo = Make<TComboBox>(f, &f, "Combo1", {10, 70, 75, 21});
  auto& pages = Make<TPageControl>(f, &f, "Pages", {100, 10, 200, 200});
  TTabSheet& sheet = pages.AddPage("Sheet1", "First");
  EXPECT_EQ(ClassOf(f.Handle()), "TForm");
  EXPECT_EQ(ClassOf(button.Handle()), "TButton");
  EXPECT_EQ(ClassOf(edit.Handle()), "TEdit");
  EXPECT_EQ(ClassOf(combo.Handle()), "TComboBox");
  EXPECT_EQ(ClassOf(pages.Handle()), "TPageControl");
  EXPECT_EQ(ClassOf(sheet.Handle()), "TTabSheet");

  char expected[64];
  std::snprintf(expected, sizeof expected, "ControlOfs%.8X%.8X",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr))),
                static_cast<unsigned>(GetCurrentThreadId()));
  EXPECT_EQ(TWinControl::PropertyName(), expected);
  ATOM atom = GlobalFindAtomA(expected);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(GetPropA(button.Handle(), MAKEINTATOM(atom)), static_cast<TWinControl*>(&button));
  EXPECT_EQ(TWinControl::FromHandle(sheet.Handle()), &sheet);
  // The superclassed controls still behave as the system's.
  SetWindowTextA(edit.Handle(), "typed");
  EXPECT_EQ(edit.Text(), "typed");
  EXPECT_EQ(SendMessageA(button.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
}

TEST_F(Toolkit, MessageHandlerCanBeReplacedAndChained) {
  TForm& f = *form;
  auto& button = Make<TButton>(f, &f, "Button1", {10, 10, 75, 25});
  std::vector<unsigned> seen;
  MessageHandler saved = button.WindowProc();
  button.SetWindowProc([&](Message& m) {
    seen.push_back(m.msg);
    if (m.msg == WM_USER + 77) {
      m.result = 1234;
      return;
    }
    saved(m);
  });
  EXPECT_EQ(SendMessageA(button.Handle(), WM_USER + 77, 0, 0), 1234);
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1) << "the chain passes the command on";
  button.SetCaption("Go");
  button.SetEnabled(false);
  button.SetVisible(false);
  EXPECT_NE(std::find(seen.begin(), seen.end(), QM_TEXTCHANGED), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), QM_ENABLEDCHANGED), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), QM_VISIBLECHANGED), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), QM_COMMAND), seen.end());
  char text[16] = {};
  GetWindowTextA(button.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Go");
  EXPECT_FALSE(IsWindowEnabled(button.Handle()));
  button.SetWindowProc(saved);
}

TEST_F(Toolkit, FocusMouseLeaveRecreateAndMenuNotifications) {
  TForm& f = *form;
  auto& a = Make<TEdit>(f, &f, "A", {10, 10, 75, 21});
  auto& b = Make<TButton>(f, &f, "B", {10, 40, 75, 25});
  std::vector<std::pair<unsigned, std::intptr_t>> seen;
  MessageHandler saved = b.WindowProc();
  b.SetWindowProc([&](Message& m) {
    if (m.msg >= QM_BASE && m.msg < QM_BASE + 0x100) seen.push_back({m.msg, m.lparam});
    saved(m);
  });
  f.Show();
  a.SetFocus();
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::make_pair(QM_FOCUSCHANGED, reinterpret_cast<std::intptr_t>(static_cast<TWinControl*>(&a)))),
            seen.end());
  SendMessageA(b.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(seen.back().first, QM_MOUSELEAVE);
  HWND before = b.Handle();
  b.RecreateWnd();
  EXPECT_EQ(seen.back().first, QM_RECREATEWND);
  EXPECT_NE(b.Handle(), before);
  EXPECT_EQ(TWinControl::FromHandle(b.Handle()), &b);
  bool menu_changed = false;
  MessageHandler form_saved = f.WindowProc();
  f.SetWindowProc([&](Message& m) {
    if (m.msg == QM_MENUCHANGED) menu_changed = true;
    form_saved(m);
  });
  // A menu bar comes out of the window's height, not out of the client area the form was given.
  f.SetClientSize(300, 200);
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_STRING, 1, "&File");
  f.SetMenu(bar);
  EXPECT_TRUE(menu_changed);
  RECT cr{};
  GetClientRect(f.Handle(), &cr);
  EXPECT_EQ(cr.bottom, 200);
  f.SetMenu(nullptr);
  DestroyMenu(bar);
  GetClientRect(f.Handle(), &cr);
  EXPECT_EQ(cr.bottom, 200);
  b.SetWindowProc(saved);
  f.SetWindowProc(form_saved);
}

TEST_F(Toolkit, DialogKeysReachTheFormAndItsButtons) {
  TForm& f = *form;
  auto& edit = Make<TEdit>(f, &f, "E", {10, 10, 75, 21});
  auto& ok = Make<TButton>(f, &f, "Ok", {10, 40, 75, 25});
  auto& cancel = Make<TButton>(f, &f, "Cancel", {90, 40, 75, 25});
  ok.SetDefault(true);
  cancel.SetCancel(true);
  int oks = 0, cancels = 0;
  ok.OnClick = [&] { ++oks; };
  cancel.OnClick = [&] { ++cancels; };
  f.Show();
  edit.SetFocus();
  MSG msg{edit.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  Application().ProcessMessage(msg);
  msg.wParam = VK_ESCAPE;
  Application().ProcessMessage(msg);
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(cancels, 1);
  msg.wParam = VK_TAB;
  Application().ProcessMessage(msg);
  EXPECT_EQ(GetFocus(), ok.Handle());
}

TEST_F(Toolkit, PublishedPropertiesByName) {
  TForm& f = *form;
  auto& button = Make<TButton>(f, &f, "Button1", {10, 10, 75, 25});
  auto& check = Make<TCheckBox>(f, &f, "Check", {10, 40, 75, 17});
  auto& panel = Make<TPanel>(f, &f, "Panel", {100, 10, 75, 75});
  auto& edit = Make<TEdit>(f, &f, "Edit", {10, 70, 75, 21});
  EXPECT_TRUE(button.SetProperty("Caption", "Press"));
  EXPECT_EQ(button.GetProperty("caption")->AsText(), "Press");
  EXPECT_EQ(button.GetProperty("Default")->AsText(), "False");
  EXPECT_TRUE(button.SetProperty("Default", "True"));
  EXPECT_TRUE(button.Default());
  EXPECT_EQ(button.GetProperty("MultiLine")->AsText(), "False");
  EXPECT_NE(button.GetProperty("Font")->number, 0);
  EXPECT_EQ(button.GetProperty("Tag")->number, 0);
  EXPECT_TRUE(button.SetProperty("Tag", "99"));
  EXPECT_EQ(button.Tag(), 99);
  EXPECT_EQ(check.GetProperty("State")->AsText(), "cbUnchecked");
  check.SetChecked(true);
  EXPECT_EQ(check.GetProperty("State")->AsText(), "cbChecked");
  EXPECT_EQ(panel.GetProperty("ParentBackground")->AsText(), "True");
  EXPECT_TRUE(panel.SetProperty("Transparent", "True"));
  EXPECT_EQ(panel.GetProperty("Transparent")->AsText(), "True");
  EXPECT_EQ(edit.GetProperty("BorderStyle")->AsText(), "bsSingle");
  EXPECT_TRUE(f.SetProperty("AutoScroll", "False"));
  EXPECT_TRUE(f.GetProperty("Color").has_value());
  EXPECT_FALSE(button.GetProperty("NoSuchProperty").has_value());
}

TEST_F(Toolkit, ErrorsEndingAHandlerGoToTheErrorBoxAndTheProgramGoesOn) {
  TForm& f = *form;
  auto& button = Make<TButton>(f, &f, "Button1", {10, 10, 75, 25});
  std::vector<std::string> boxes;
  Application().error_box_hook = [&](const std::string& t) { boxes.push_back(t); };
  int after = 0;
  button.OnClick = [&] {
    ++after;
    throw std::runtime_error("Failed to create key Software\\X");
  };
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(after, 2);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "Failed to create key Software\\X.");
}

TEST_F(Toolkit, GraphicControlsArePaintedAndClickedThroughTheirParent) {
  TForm& f = *form;
  auto& label = Make<TLabel>(f, &f, "Link", {20, 20, 100, 13});
  auto& image = Make<TImage>(f, &f, "Icon", {20, 50, 32, 32});
  label.SetCaption("a link");
  label.SetCursor(CursorKind::Hand);
  int clicks = 0, dbl = 0;
  label.OnClick = [&] { ++clicks; };
  image.OnDblClick = [&] { ++dbl; };
  EXPECT_FALSE(label.IsWindowed());
  SendMessageA(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
  SendMessageA(f.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 60));
  SendMessageA(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dbl, 1);
  label.SetHint("tip");
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = f.Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(static_cast<TControl*>(&label));
  // Hints are handed to the hint window from a timer, once the pending paints are done.
  const auto registered = [&] {
    return Application().HintWindow() &&
           SendMessageA(Application().HintWindow(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti));
  };
  ::quillet::testing::PumpUntil(registered);
  EXPECT_TRUE(SendMessageA(Application().HintWindow(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
}

// An image whose icon or picture comes from a source is drawn from one made for its window's
// DPI, made again when the window moves to another DPI, and only then.
TEST_F(Toolkit, IconsAndPicturesFromASourceAreMadeForEachDpiTheImageIsDrawnAt) {
  TForm& f = *form;
  auto& image = Make<TImage>(f, &f, "Icon", {20, 50, 32, 32});
  auto& picture = Make<TImage>(f, &f, "Picture", {60, 50, 62, 31});
  std::vector<int> asked, dpis;
  picture.SetBitmapSource([&](int dpi) {
    dpis.push_back(dpi);
    return CreateBitmap(1, 1, 1, 32, nullptr);
  });
  image.SetIconSource(
      [&](int size) {
        asked.push_back(size);
        return static_cast<HICON>(CopyImage(LoadIconA(nullptr, IDI_APPLICATION), IMAGE_ICON, size, size, 0));
      },
      32);
  ShowWindow(f.Handle(), SW_SHOWNOACTIVATE);
  const auto paint = [&] { RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE); };
  paint();
  paint();
  ::quillet::testing::SendDpiChanged(f.Handle(), 96, 144);
  paint();
  ::quillet::testing::SendDpiChanged(f.Handle(), 144, 96);
  paint();
  EXPECT_EQ(asked, (std::vector<int>{32, 48, 32}));
  EXPECT_EQ(dpis, (std::vector<int>{96, 144, 96}));
}

TEST_F(Toolkit, PageControlHidesATabButKeepsItsSheet) {
  TForm& f = *form;
  auto& pages = Make<TPageControl>(f, &f, "PageControl1", {0, 0, 300, 200});
  TTabSheet& s1 = pages.AddPage("TabSheet1", "One");
  TTabSheet& s2 = pages.AddPage("TabSheet2", "Two");
  TTabSheet& s4 = pages.AddPage("TabSheet5", "Sheet [&4]");
  EXPECT_EQ(SendMessageA(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  s4.SetTabVisible(false);
  EXPECT_EQ(SendMessageA(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(pages.ActivePage(), &s1);
  EXPECT_FALSE(s4.HandleAllocated()) << "a sheet gets its window when first shown";
  auto& child = Make<TButton>(f, &s2, "OnTwo", {5, 5, 60, 20});
  RECT r;
  GetWindowRect(child.Handle(), &r);
  POINT p{r.left, r.top};
  ScreenToClient(s2.Handle(), &p);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 5);
  SendMessageA(pages.Handle(), TCM_SETCURSEL, 1, 0);
  NMHDR hdr{pages.Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(f.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  EXPECT_EQ(pages.ActivePage(), &s2);
  EXPECT_TRUE(GetWindowLongPtrA(s2.Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongPtrA(s1.Handle(), GWL_STYLE) & WS_VISIBLE);
  // Controls made while their sheet was hidden keep the order they were made in.
  auto& first = Make<TEdit>(f, &s4, "First", {5, 5, 60, 20});
  auto& second = Make<TEdit>(f, &s4, "Second", {5, 30, 60, 20});
  second.Handle();
  pages.SetActivePage(&s4);
  EXPECT_EQ(GetWindow(first.Handle(), GW_HWNDNEXT), second.Handle());
}

TEST_F(Toolkit, ModalFormReturnsItsResultAndRunsItsCloseHandler) {
  TForm dialog(nullptr, "Dialog");
  dialog.SetBorderStyle(BorderStyle::Dialog);
  dialog.SetOwnerWindow(form.get());
  dialog.SetClientSize(200, 100);
  auto& ok = Make<TButton>(dialog, &dialog, "Ok", {10, 10, 75, 25});
  ok.SetModalResult(mrOk);
  int closes = 0;
  dialog.OnClose = [&](CloseAction&) { ++closes; };
  dialog.OnShow = [&] { PostMessageA(ok.Handle(), BM_CLICK, 0, 0); };
  form->Show();
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  dialog.OnShow = [&] { PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(closes, 2);
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

// Hooks window creation as the skin engine does: every toolkit window gets a procedure in front of
// the toolkit's, and the first button's creation makes another control's window from inside it.
TEST_F(Toolkit, WindowsMadeInsideAnotherWindowsCreationFindTheirOwnControls) {
  TForm& f = *form;
  auto& inner = f.Own<TPanel>(&f, "Inner");
  inner.SetBounds({200, 10, 50, 50});
  static std::function<void()> during_creation;
  static std::map<HWND, WNDPROC> replaced;
  static std::map<HWND, TWinControl*> seen_creating;
  static int seen_in_front = 0;
  during_creation = [&] { inner.SetParent(&f); };
  replaced.clear();
  seen_creating.clear();
  seen_in_front = 0;
  struct Hook {
    HHOOK h = SetWindowsHookExA(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    ~Hook() { UnhookWindowsHookEx(h); }
    static LRESULT CALLBACK Front(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
      if (msg == WM_USER + 5) ++seen_in_front;
      return CallWindowProcA(replaced[w], w, msg, wp, lp);
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
      HWND w = reinterpret_cast<HWND>(wp);
      if (code == HCBT_CREATEWND && ClassOf(w)[0] == 'T') {
        seen_creating[w] = TWinControl::BeingCreated(reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs);
        replaced[w] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Front)));
        if (auto make = std::exchange(during_creation, nullptr)) make();
      }
      return CallNextHookEx(nullptr, code, wp, lp);
    }
  };
  TButton* outer = nullptr;
  {
    Hook hook;
    outer = &Make<TButton>(f, &f, "Outer", {10, 10, 75, 25});
  }
  ASSERT_TRUE(outer->HandleAllocated());
  ASSERT_TRUE(inner.HandleAllocated()) << "made during the button's creation";
  EXPECT_NE(outer->HandleIfAny(), inner.HandleIfAny());
  for (TWinControl* c : {static_cast<TWinControl*>(outer), static_cast<TWinControl*>(&inner)}) {
    EXPECT_EQ(TWinControl::FromHandle(c->HandleIfAny()), c) << c->Name();
    EXPECT_EQ(GetPropA(c->HandleIfAny(), TWinControl::PropertyName().c_str()), c) << c->Name();
    EXPECT_EQ(seen_creating[c->HandleIfAny()], c) << c->Name() << " as the hook saw it";
    SendMessageA(c->HandleIfAny(), WM_USER + 5, 0, 0);
  }
  EXPECT_EQ(seen_in_front, 2);
  // Messages pass the procedure in front and still reach the control.
  int clicks = 0;
  outer->OnClick = [&] { ++clicks; };
  SendMessageA(outer->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

// A graphic control whose painting runs a given action.
class PaintProbe : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::function<void()> on_paint;
  void Paint(HDC) override {
    if (on_paint) on_paint();
  }
};

TEST_F(Toolkit, AnErrorWhilePaintingIsShownOnceThePaintIsDone) {
  TForm& f = *form;
  auto& button = Make<TButton>(f, &f, "Failing", {10, 10, 75, 25});
  button.OnClick = [] { throw std::runtime_error("Failed in a click"); };
  auto& probe = Make<PaintProbe>(f, &f, "Probe", {100, 100, 50, 50});
  auto& second = Make<PaintProbe>(f, &f, "Second", {200, 100, 50, 50});
  struct Shown {
    std::string text;
    bool paint_went_on;    // the paint ran to its end before the box
    bool region_is_valid;  // and the window was not left asking to be painted again
  };
  std::vector<Shown> shown;
  bool paint_went_on = false;
  Application().error_box_hook = [&](const std::string& t) {
    shown.push_back({t, paint_went_on, !GetUpdateRect(f.Handle(), nullptr, FALSE)});
  };
  f.Show();
  // The box comes once the message loop has the program back.
  auto repaint = [&] {
    shown.clear();
    paint_went_on = false;
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(shown.empty());
    Application().ProcessMessages();
  };

  // A message sent from the paint fails: the paint goes on, the box comes after.
  probe.on_paint = [&] {
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    paint_went_on = true;
  };
  repaint();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Failed in a click.");
  EXPECT_TRUE(shown[0].paint_went_on);

  // The paint itself fails, twice over with the same error: one box, and the window is painted.
  probe.on_paint = [] { throw std::runtime_error("Failed to paint"); };
  second.on_paint = probe.on_paint;
  repaint();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Failed to paint.");
  EXPECT_TRUE(shown[0].region_is_valid);

  // Outside painting the box shows at once, as before.
  probe.on_paint = second.on_paint = nullptr;
  shown.clear();
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(Toolkit, ComboBoxKeepsOneKeyHandlerOnItsEditThroughARecreatedWindow) {
  TForm& f = *form;
  auto& combo = Make<TComboBox>(f, &f, "Combo", {10, 10, 120, 21});
  std::string keys;
  combo.OnKeyPress = [&](char& k) {
    keys += k;
    if (k == 'x') k = 0;  // swallowed
  };
  combo.RecreateWnd();
  combo.RecreateWnd();
  for (char c : std::string("axb")) SendMessageA(combo.EditHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_EQ(keys, "axb");
  EXPECT_EQ(combo.Text(), "ab");
  HWND edit = combo.EditHandle();
  DestroyWindow(combo.Handle());
  EXPECT_EQ(combo.EditHandle(), nullptr) << "the edit let go with its window";
  EXPECT_FALSE(IsWindow(edit));
}

}  // namespace
}  // namespace quillet::ui
