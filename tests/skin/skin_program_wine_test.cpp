// The real program under Wine, looked at from outside as a user sees it: every window it shows
// wears the skin's frame, the frame acts like one, and the command line can switch the skin off
// or name a skin file.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/program_driver.h"
#include "button_screen.h"
#include "own_skin_elements.h"
#include "skin/nc_layout.h"
#include "skin/skin_data.h"
#include "support/window_look.h"

namespace quillet {
namespace {

using namespace quillet::driver;
using namespace quillet::skin;
using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::CaptureOf;
using ::quillet::testing::ScreenPixel;
using ::quillet::testing::WaitFor;
using skin::testing::ButtonFrameShown;

const std::string kExe = WindowsPath(QUILLET_EXE);

const TSkinElements& Skin() { return quillet::skin::testing::OwnSkinElements(); }

void SetPrompt(bool shown) {
  HKEY k;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Brask\\Support", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr))
    return;
  const char* v = shown ? "1" : "0";
  RegSetValueExA(k, "03", 0, REG_SZ, reinterpret_cast<const BYTE*>(v), 2);
  RegCloseKey(k);
}

// Skinning finishes from a posted message: wait for the window to say it is skinned.
bool Skinned(HWND h) {
  return WaitUntil([&] { return AnswersSkinned(h); });
}

// The frame takes the skin's size once the posted attach has run.
bool FrameIsSkins(HWND h, FrameBorder border) {
  const BorderSizes b = SkinBorders(Skin(), border);
  return WaitUntil([&] {
    RECT wr{};
    GetWindowRect(h, &wr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    return origin.x - wr.left == b.left && origin.y - wr.top == b.top;
  });
}

// Brings a window of the program to the front and waits until it is there.
bool ToFront(HWND h) {
  SetForegroundWindow(h);
  return WaitUntil([&] { return GetForegroundWindow() == h; });
}

// Whether a window is gone from the screen (closed, hidden or destroyed) in time.
bool Gone(HWND h) {
  return WaitUntil([&] { return !IsWindowVisible(h); });
}

// The place of a caption button of the skin, on the screen, for a window of the given size.
POINT ButtonCentre(HWND h, int action) {
  RECT wr{};
  GetWindowRect(h, &wr);
  FrameState s;
  s.border = FrameBorder::Single;
  s.minimizeBox = s.sysMenu = s.active = true;
  const FrameLayout l = LayoutFrame(Skin(), s, wr.right - wr.left, wr.bottom - wr.top, 0, FrameMeasures{});
  for (const auto& p : l.buttons)
    if (p.visible && Skin().CaptionButtons[static_cast<std::size_t>(p.index)].Action == action)
      return {wr.left + (p.rect.left + p.rect.right) / 2, wr.top + (p.rect.top + p.rect.bottom) / 2};
  return {-1, -1};
}

HWND WaitForDialog(DWORD pid, const std::string& caption) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND h : WindowsOf(pid, "#32770", true))
      if (TextOf(h) == caption) found = h;
    return found != nullptr;
  });
  return found;
}

TEST(SkinnedProgram, EveryWindowWearsTheSkinsFrameAndItsButtonsAct) {
  SetPrompt(true);
  Program p;
  ASSERT_TRUE(p.Start(kExe));
  HWND prompt = WaitForWindow(p.Id(), "TfrmDonate");
  ASSERT_TRUE(prompt);
  EXPECT_TRUE(Skinned(prompt)) << "the donation prompt";
  ClickButton(prompt, "Close");
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  ASSERT_TRUE(Skinned(main)) << "the main window";
  SetPrompt(false);

  // The client area keeps its size; the frame is the skin's borders.
  EXPECT_TRUE(FrameIsSkins(main, FrameBorder::Single));
  RECT wr{}, cr{};
  GetWindowRect(main, &wr);
  GetClientRect(main, &cr);
  EXPECT_EQ(cr.right, 711);
  EXPECT_EQ(cr.bottom, 569);
  const BorderSizes b = SkinBorders(Skin(), FrameBorder::Single);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  EXPECT_EQ(origin.x - wr.left, b.left);
  EXPECT_EQ(origin.y - wr.top, b.top);
  EXPECT_EQ(wr.right - wr.left, 711 + b.left + b.right);
  EXPECT_EQ(wr.bottom - wr.top, 569 + b.top + b.bottom);

  // The caption's pixels are the "Top" picture's, and the caption answers as one.
  EXPECT_TRUE(ToFront(main));
  const Bitmap32& top = Skin().Top.Bitmap;
  const int cx = wr.left + (wr.right - wr.left) / 2;
  for (int y : {1, 8, b.top - 2}) {
    const Pixel want = top.At(top.Width() / 2, y) & 0xFFFFFF;
    EXPECT_EQ(WaitFor([&] { return PixelFromColorRef(ScreenPixel(cx, wr.top + y)); }, want), want) << "caption row " << y;
  }
  EXPECT_EQ(SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(cx, wr.top + 10)), HTCAPTION);

  // The about box, the prompt from its button, a file dialog and the confirmation box.
  ASSERT_TRUE(ClickButton(main, "About"));
  HWND about = WaitForWindow(p.Id(), "TQuilletAbout");
  ASSERT_TRUE(about);
  EXPECT_TRUE(Skinned(about)) << "the about box";
  PostMessageA(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Gone(about));
  ASSERT_TRUE(ClickButton(main, "Donate"));
  prompt = WaitForWindow(p.Id(), "TfrmDonate");
  ASSERT_TRUE(prompt);
  EXPECT_TRUE(Skinned(prompt));
  ClickButton(prompt, "Close");
  ASSERT_TRUE(Gone(prompt));
  ASSERT_TRUE(ClickButton(main, "..."));
  HWND open = WaitForWindow(p.Id(), "#32770");
  ASSERT_TRUE(open);
  EXPECT_TRUE(Skinned(open)) << "the file dialog";
  PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(Gone(open));

  // The second main window, from the header icon.
  PostMessageA(main, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 26));
  ASSERT_TRUE(WaitForWindow(p.Id(), "TQuilletFrm", 20000, 2));
  for (HWND h : WindowsOf(p.Id(), "TQuilletFrm", true)) {
    EXPECT_TRUE(Skinned(h)) << "every main window";
    if (h != main) PostMessageA(h, WM_CLOSE, 0, 0);
  }
  ASSERT_TRUE(WaitUntil([&] { return WindowsOf(p.Id(), "TQuilletFrm", true).size() == 1; }));

  // The skinned minimise button minimises; restored, the window keeps its client size.
  ASSERT_TRUE(ToFront(main));
  const POINT min = ButtonCentre(main, 2);
  ClickAt(min.x, min.y);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(main); }));
  ShowWindow(main, SW_RESTORE);
  ASSERT_TRUE(ToFront(main));
  WaitUntil([&] { return GetClientRect(main, &cr) && cr.right == 711 && cr.bottom == 569; });
  EXPECT_EQ(cr.right, 711);
  EXPECT_EQ(cr.bottom, 569);

  // A right click on the caption opens the skinned system menu; its Close closes.
  GetWindowRect(main, &wr);
  ClickAt(wr.left + 300, wr.top + 12, true);
  HWND menu = WaitForWindow(p.Id(), "#32768");
  ASSERT_TRUE(menu);
  EXPECT_TRUE(WaitUntil([&] { return AnswersSkinned(menu); })) << "the system menu's window";
  PressKey('C');
  EXPECT_TRUE(p.WaitForExit(kPatience)) << "Close in the skinned system menu ends the program";
}

TEST(SkinnedProgram, TheCloseButtonEndsTheProgramAndMessageBoxesAreSkinned) {
  SetPrompt(false);
  Program p;
  ASSERT_TRUE(p.Start(kExe));
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  ASSERT_TRUE(Skinned(main));
  ASSERT_TRUE(FrameIsSkins(main, FrameBorder::Single));
  // A confirmation box: delete an object just made. The clicks are posted, so they come in order.
  ASSERT_TRUE(ClickButton(main, "Generate"));
  ASSERT_TRUE(ClickButton(main, "Create / Save"));
  ASSERT_TRUE(ClickButton(main, "Delete"));
  HWND confirm = WaitForDialog(p.Id(), "Confirm");
  ASSERT_TRUE(confirm);
  EXPECT_TRUE(Skinned(confirm)) << "the confirmation box";
  int box_buttons = 0;
  for (HWND b = GetWindow(confirm, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT))
    if (ClassOf(b) == "Button") {
      ++box_buttons;
      EXPECT_TRUE(AnswersSkinned(b)) << "the box's button " << TextOf(b);
    }
  EXPECT_EQ(box_buttons, 2);
  PostMessageA(confirm, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(Gone(confirm));
  ASSERT_TRUE(ToFront(main));
  const POINT close = ButtonCentre(main, 0);
  RECT wr{};
  GetWindowRect(main, &wr);
  SCOPED_TRACE("window " + std::to_string(wr.left) + "," + std::to_string(wr.top) + "-" + std::to_string(wr.right) +
               "," + std::to_string(wr.bottom) + " close at " + std::to_string(close.x) + "," + std::to_string(close.y));
  ClickAt(close.x, close.y);
  EXPECT_TRUE(p.WaitForExit(kPatience));
}

// A tab's place on the screen; the rectangle is asked for in the program's own memory.
POINT TabCentre(DWORD pid, HWND tabs, int index) {
  RECT r{};
  HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!proc) return {-1, -1};
  void* remote = VirtualAllocEx(proc, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
  if (remote && SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)))
    ReadProcessMemory(proc, remote, &r, sizeof r, nullptr);
  if (remote) VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
  CloseHandle(proc);
  POINT c{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(tabs, &c);
  return c;
}

std::vector<HWND> VisibleChildren(HWND parent, const std::string& cls) {
  std::vector<HWND> found;
  struct Query {
    const std::string* cls;
    std::vector<HWND>* found;
  } q{&cls, &found};
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM lp) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lp);
        if (ClassOf(h) == *q->cls && IsWindowVisible(h)) q->found->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&q));
  return found;
}

std::string ComboText(HWND combo) {
  char text[128] = {};
  DWORD_PTR r = 0;
  SendMessageTimeoutA(combo, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &r);
  return text;
}

POINT Centre(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Mouse(POINT at, DWORD flags) { MouseInput(at.x, at.y, flags); }

// Away from every window; the system notices the pointer left on its next check, so what shows
// it is waited for.
void PointerAway() { Mouse({3, 3}, 0); }

TEST(SkinnedProgram, ButtonsAndCheckBoxesOfEveryPageAreTheSkinsAndClickOnce) {
  SetPrompt(false);
  Program p;
  ASSERT_TRUE(p.Start(kExe));
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  ASSERT_TRUE(Skinned(main));
  ASSERT_TRUE(ToFront(main));
  const std::vector<HWND> tabs = VisibleChildren(main, "TPageControl");
  ASSERT_EQ(tabs.size(), 1u);
  for (int page = 2; page >= 0; --page) {
    ClickAt(TabCentre(p.Id(), tabs[0], page).x, TabCentre(p.Id(), tabs[0], page).y);
    // The page is shown in the same turn as the tab is chosen.
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(tabs[0], TCM_GETCURSEL, 0, 0) == page; })) << "page " << page;
    int buttons = 0;
    for (const char* cls : {"TButton", "TCheckBox"})
      for (HWND b : VisibleChildren(main, cls)) {
        ++buttons;
        EXPECT_TRUE(WaitUntil([&] { return AnswersSkinned(b); })) << "page " << page << ": " << cls << " " << TextOf(b);
      }
    EXPECT_GE(buttons, 4) << "page " << page;
  }

  // The first page again: "Generate" puts a new CLSID into the box, once per click.
  HWND gen = ChildWithText(main, "Generate");
  ASSERT_TRUE(gen);
  const std::vector<HWND> combos = VisibleChildren(main, "TComboBox");
  ASSERT_FALSE(combos.empty());
  HWND clsid = combos.front();
  PointerAway();
  int normal = 0;
  WaitUntil([&] { return (normal = ButtonFrameShown(gen, Skin())) == 1 || normal == 5; });
  EXPECT_TRUE(normal == 1 || normal == 5) << "the face is the skin's picture: " << normal;
  const std::string empty = ComboText(clsid);
  ClickAt(Centre(gen).x, Centre(gen).y);
  WaitUntil([&] { return ComboText(clsid) != empty; });
  const std::string first = ComboText(clsid);
  EXPECT_EQ(first.size(), 38u) << first;
  EXPECT_EQ(first.front(), '{');
  EXPECT_EQ(first.back(), '}');
  PointerAway();
  EXPECT_EQ(WaitFor([&] { return ButtonFrameShown(gen, Skin()); }, 5), 5) << "focused by the click";

  // A press released away from the button clicks nothing. The button holds the pointer from the
  // press to the release, so once it lets go the release has been handled; the text is asked
  // for after that.
  Mouse(Centre(gen), MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(WaitFor([&] { return ButtonFrameShown(gen, Skin()); }, 2), 2) << "pressed";
  ASSERT_TRUE(WaitUntil([&] { return CaptureOf(p.MainThreadId()) == gen; }));
  const POINT away{Centre(gen).x, Centre(gen).y + 120};
  Mouse(away, 0);
  Mouse(away, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return CaptureOf(p.MainThreadId()) != gen; }));
  EXPECT_EQ(ComboText(clsid), first);

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(kPatience));
}

TEST(SkinnedProgram, NoSkinKeepsTheSystemsLookAndADamagedSkinIsReported) {
  SetPrompt(false);
  {
    Program p;
    ASSERT_TRUE(p.Start(kExe, "--no-skin"));
    HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
    ASSERT_TRUE(main);
    RECT wr{}, cr{}, want{0, 0, 711, 569};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(main, GWL_EXSTYLE)));
    // The window is up in the system's frame and has painted.
    WaitUntil([&] { return GetWindowRect(main, &wr) && wr.right - wr.left == want.right - want.left; });
    WaitUntil([&] { return !GetUpdateRect(main, nullptr, FALSE); });
    EXPECT_FALSE(AnswersSkinned(main));
    GetWindowRect(main, &wr);
    GetClientRect(main, &cr);
    EXPECT_EQ(wr.right - wr.left, want.right - want.left) << "the system's frame";
    EXPECT_EQ(wr.bottom - wr.top, want.bottom - want.top);
    EXPECT_TRUE(GetWindowLongA(main, GWL_STYLE) & WS_SYSMENU);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitForExit(kPatience));
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "quillet-damaged-" + std::to_string(GetCurrentProcessId()) + ".skn";
  // A skin file whose size field promises far more than any skin holds.
  HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  const char junk[] = "\xff\xff\xff\x7f this is not a skin";
  DWORD written = 0;
  WriteFile(f, junk, sizeof junk, &written, nullptr);
  CloseHandle(f);
  Program p;
  ASSERT_TRUE(p.Start(kExe, "--skin \"" + file + "\""));
  HWND box = WaitForDialog(p.Id(), "Quillet");
  ASSERT_TRUE(box);
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), "The skin file is damaged.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  EXPECT_TRUE(Skinned(main)) << "the program goes on with its own skin";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(kPatience));
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace quillet
