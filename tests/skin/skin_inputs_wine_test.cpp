// The skins of edits, combo boxes, tab controls and up-downs, on the program's own main window
// and on a small form: which controls are skinned, which picture and frame shows where, and what
// the mouse does to them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/program_driver.h"
#include "skin/embedded_skin.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/edit_skin.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "skin/win32/updown_skin.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"
#include "support/skin_run.h"

namespace quillet::skin::win32 {
namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::Awaited;
using ::quillet::testing::HandlePending;
using ::quillet::testing::MouseInput;
using ::quillet::testing::PumpUntil;

// The screen's pixel at a point of a window's client area.
Pixel ClientPixel(HWND h, int x, int y) {
  POINT p{x, y};
  ClientToScreen(h, &p);
  return PixelFromColorRef(::quillet::testing::ScreenPixel(p.x, p.y));
}

// Frame `frame` (from 1) of a picture of `frames` frames side by side, at (x, y) in the frame.
Pixel FramePixel(const Bitmap32& b, int frames, int frame, int x, int y) {
  return b.At((frame - 1) * (b.Width() / frames) + x, y) & 0xFFFFFF;
}

// Real mouse input at a point of a window's client area; the messages it brings are handled. The
// pointer comes from a pixel away before a button goes down or up, as a hand moves it.
void Mouse(HWND h, int x, int y, DWORD button = 0) {
  POINT p{x, y};
  ClientToScreen(h, &p);
  MouseInput({p.x - 1, p.y});
  MouseInput(p);
  if (button) MouseInput(p, button);
}

RECT ItemRect(HWND tab, int i) {
  RECT r{};
  SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
  return r;
}

void Walk(ui::TWinControl& parent, const std::function<void(ui::TWinControl&)>& visit) {
  for (ui::TControl* c : parent.Controls()) {
    if (auto* w = dynamic_cast<ui::TWinControl*>(c)) {
      visit(*w);
      Walk(*w, visit);
    }
  }
}

ui::TWinControl* Find(ui::TWinControl& root, const std::string& name) {
  ui::TWinControl* found = nullptr;
  Walk(root, [&](ui::TWinControl& c) {
    if (!found && c.Name() == name) found = &c;
  });
  return found;
}

void NoDonationPrompt() {
  HKEY k;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Brask\\Support", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr))
    return;
  RegSetValueExA(k, "03", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
  RegCloseKey(k);
}

TEST(SkinnedInputs, TheMainWindowsEditsCombosTabsAndUpDownsWearTheSkin) {
  NoDonationPrompt();
  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto& form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  form.Show();
  const HWND main = form.Handle();
  PumpUntil([&] { return AnswersSkinned(main); });
  ASSERT_TRUE(AnswersSkinned(main));
  SetForegroundWindow(main);
  const TSkinElements& s = form.SkinData1->Elements();

  // Every edit, combo box and page control of the three visible pages is skinned.
  int seen = 0;
  for (ui::TTabSheet* sheet : {form.TabSheet1, form.TabSheet2, form.TabSheet3}) {
    form.PageControl1->SetActivePage(sheet);
    HandlePending();
  }
  Walk(form, [&](ui::TWinControl& c) {
    const std::string cls = c.ClassName();
    if (cls != "TEdit" && cls != "TComboBox" && cls != "TPageControl") return;
    if (!c.HandleIfAny()) return;  // on the hidden fourth page
    ++seen;
    EXPECT_TRUE(PumpUntil([&] { return AnswersSkinned(c.HandleIfAny()); })) << cls << " " << c.Name();
  });
  EXPECT_GE(seen, 10);
  for (const char* name : {"RFCNum", "US", "OHide", "HDO"}) {
    ui::TWinControl* c = Find(form, name);
    ASSERT_TRUE(c) << name;
    EXPECT_TRUE(AnswersSkinned(c->HandleIfAny())) << name;
  }

  // The tabs are the "Tabs" picture: frame 2 for the page shown, 1 for the others. The picture
  // starts 2 pixels above a tab (and 2 to the left for the one shown, which stands out).
  form.PageControl1->SetActivePage(form.TabSheet1);
  HandlePending();
  const HWND pages = form.PageControl1->Handle();
  ASSERT_TRUE(s.Tabs);
  const int tabFrames = s.Tabs->Frame;
  const RECT shown = ItemRect(pages, 0), other = ItemRect(pages, 1);
  EXPECT_EQ(SendMessageA(pages, TCM_GETCURFOCUS, 0, 0), 0);
  const Pixel otherTab = FramePixel(s.Tabs->Bitmap, tabFrames, 1, 3, 2);
  EXPECT_EQ(Awaited([&] { return ClientPixel(pages, other.left + 3, other.top - 2 + 2); }, otherTab), otherTab);
  const Pixel shownTab = FramePixel(s.Tabs->Bitmap, tabFrames, 2, 3, 1);
  EXPECT_EQ(Awaited([&] { return ClientPixel(pages, shown.left - 2 + 3, std::max<int>(shown.top - 2, 0) + 1); }, shownTab),
            shownTab);
  // The pointer over a tab makes it hot: frame 3.
  Mouse(pages, other.left + 3, (other.top + other.bottom) / 2);
  const Pixel hotTab = FramePixel(s.Tabs->Bitmap, tabFrames, 3, 3, 4);
  EXPECT_EQ(Awaited([&] { return ClientPixel(pages, other.left + 3, other.top - 2 + 4); }, hotTab), hotTab);

  // The CLSID box's button: the "ComboButton" picture at the right edge, hot under the pointer.
  const HWND clsid = Find(form, "RFCNum")->Handle();
  ASSERT_TRUE(s.ComboButton);
  const Bitmap32& cb = s.ComboButton->Bitmap;
  const int cbFrames = s.ComboButton->Frame, cbWidth = cb.Width() / cbFrames;
  RECT cr{};
  GetClientRect(clsid, &cr);
  const int bx = cr.right - 2 - cbWidth, by = 2;
  SetFocus(pages);
  Mouse(pages, 2, 2);
  const Pixel leftLine = FramePixel(cb, cbFrames, 1, 0, 5), normalButton = FramePixel(cb, cbFrames, 1, 3, 2);
  EXPECT_EQ(Awaited([&] { return ClientPixel(clsid, bx, by + 5); }, leftLine), leftLine) << "the button's left line";
  EXPECT_EQ(Awaited([&] { return ClientPixel(clsid, bx + 3, by + 2); }, normalButton), normalButton) << "normal";
  Mouse(clsid, bx + 3, by + 4);
  const Pixel hotButton = FramePixel(cb, cbFrames, 4, 3, 2);
  EXPECT_EQ(Awaited([&] { return ClientPixel(clsid, bx + 3, by + 2); }, hotButton), hotButton) << "hot";
  Mouse(pages, 2, 2);

  // The icon-size up-down of the fourth page: "UpDown.Vert", its halves each in their own state.
  form.TabSheet5->SetTabVisible(true);
  form.PageControl1->SetActivePage(form.TabSheet5);
  Find(form, "SetGroup")->SetVisible(true);
  HandlePending();
  ui::TWinControl* isp = Find(form, "ISP");
  ASSERT_TRUE(isp && isp->HandleIfAny());
  const HWND ud = isp->Handle();
  ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(ud); }));
  ASSERT_TRUE(s.UpDownVert);
  const Bitmap32& udb = s.UpDownVert->Bitmap;
  const int fh = udb.Height() / 2;
  RECT ur{};
  GetClientRect(ud, &ur);
  const int upper = ur.bottom / 4, lower = ur.bottom * 3 / 4;
  // Each half's frame, at a point of it clear of the glyph.
  auto shows = [&](int y, int frame) {
    const Pixel want = FramePixel(udb, 8, frame, 2, fh);
    return Awaited([&] { return ClientPixel(ud, 2, y); }, want) == want;
  };
  EXPECT_TRUE(shows(upper, 1));
  EXPECT_TRUE(shows(lower, 5));
  Mouse(ud, 8, upper);
  EXPECT_TRUE(shows(upper, 4)) << "the upper half hot";
  EXPECT_TRUE(shows(lower, 5));
  Mouse(ud, 8, lower, MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(shows(lower, 6)) << "the lower half pressed: state 2 plus 4";
  EXPECT_TRUE(shows(upper, 1));
  Mouse(ud, 8, lower, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(shows(lower, 8)) << "released, still under the pointer";
  Mouse(pages, 2, 2);
  EXPECT_TRUE(shows(lower, 5)) << "the pointer gone";

  app.DestroyForms();
  HandlePending();
}

// A form of our own, whose owner Tag asks for close boxes on its page control's tabs.
class InputsForm : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "InputsForm");
    form->SetTag(7777);
    form->SetClientSize(480, 330);
    form->SetCaption("Inputs");
    pages = &ui::Make<ui::TPageControl>(*form, form.get(), "Pages", ui::Bounds{8, 8, 330, 110});
    for (const char* caption : {"First page", "Second page", "Third page"})
      pages->AddPage(std::string("Sheet") + caption[0], caption);
    bordered = &ui::Make<ui::TEdit>(*form, form.get(), "Bordered", ui::Bounds{8, 130, 140, 21});
    bare = &ui::Make<ui::TEdit>(*form, form.get(), "Bare", ui::Bounds{160, 130, 140, 21});
    combo = &ui::Make<ui::TComboBox>(*form, form.get(), "Combo", ui::Bounds{310, 130, 150, 21}, ui::ComboStyle::DropDown);
    form->HandleNeeded();
    // Without its sunken border, an edit's client area is its whole window.
    const HWND b = bare->Handle();
    SetWindowLongPtrA(b, GWL_EXSTYLE, GetWindowLongPtrA(b, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(b, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    bottom = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_BOTTOM, 8, 170, 330,
                             110, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bottom, WM_SETFONT, SendMessageA(pages->Handle(), WM_GETFONT, 0, 0), FALSE);
    for (const char* caption : {"Below one", "Below two"}) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(caption);
      SendMessageA(bottom, TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
    }
    edit_part = GetWindow(combo->Handle(), GW_CHILD);
    form->SetWindowProc([prev = form->WindowProc(), this](ui::Message& m) {
      if (m.msg == SKINMSG_CLOSETAB) {
        close_requests.push_back({reinterpret_cast<HWND>(m.wparam), static_cast<int>(m.lparam)});
        m.result = keep_page;
        return;
      }
      prev(m);
    });
    data = ::quillet::testing::AddOwnSkin(*form);
    ASSERT_TRUE(data);
    form->Show();
    PumpUntil([&] {
      for (HWND h : {form->Handle(), pages->Handle(), bordered->Handle(), bare->Handle(), combo->Handle()})
        if (!AnswersSkinned(h)) return false;
      return true;
    });
    HandlePending();
    // A tab control that is none of the toolkit's is skinned as a foreign one.
    TWinSkinForm* fs = TSkinManage::Instance()->FindForm(form->Handle());
    ASSERT_TRUE(fs);
    AttachPartSkin(*fs, *data, bottom, MakeControlSkin(SkinClass::TSkinTab, SkinMode::Normal));
    InvalidateRect(bottom, nullptr, TRUE);
    HandlePending();
  }
  void TearDown() override {
    form.reset();
    HandlePending();
  }
  // Tab i's close box, as the skin places it: a square at the tab's right end.
  POINT CloseBoxCentre(HWND tab, int i) {
    const RECT r = ItemRect(tab, i);
    const int side = std::min<int>(9, r.bottom - r.top - 6);
    const int left = r.right - 5 - side, top = r.top + (r.bottom - r.top - side) / 2;
    return {left + 1 + (side - 3) / 2, top + 1 + (side - 3) / 2};
  }

  std::unique_ptr<ui::TForm> form;
  ui::TPageControl* pages = nullptr;
  ui::TEdit* bordered = nullptr;
  ui::TEdit* bare = nullptr;
  ui::TComboBox* combo = nullptr;
  HWND bottom = nullptr, edit_part = nullptr;
  TSkinData* data = nullptr;
  std::vector<std::pair<HWND, int>> close_requests;
  int keep_page = 1;
};

TEST_F(InputsForm, EditsKeepTheirTextAreaAndOnlyABorderIsDrawn) {
  const HWND b = bordered->Handle(), n = bare->Handle();
  ASSERT_TRUE(AnswersSkinned(b));
  ASSERT_TRUE(AnswersSkinned(n));
  RECT wr{};
  GetWindowRect(b, &wr);
  POINT origin{0, 0};
  ClientToScreen(b, &origin);
  const int dx = wr.left - origin.x, dy = wr.top - origin.y;  // the window's corner, in client terms
  const Pixel field = ClientPixel(b, 30, 8);
  EXPECT_EQ(ClientPixel(b, dx, dy), PixelFromColorRef(data->Color(slot::ButtonShadow)));
  EXPECT_EQ(ClientPixel(b, dx + 1, dy + 1), 0xFFFFFFu);
  EXPECT_EQ(ClientPixel(b, dx + 2, dy + 5), 0xFFFFFFu);
  // The edit without a border is the system's field up to its edge.
  EXPECT_EQ(ClientPixel(n, 0, 0), field);
  EXPECT_EQ(ClientPixel(n, 0, 10), field);

  // Printed, the edit brings the skin's border along; asked to paint into a device context it
  // answers with the key, and ignores a handle that is no device context.
  {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, wr.right - wr.left, wr.bottom - wr.top);
    HGDIOBJ old = SelectObject(mem, bmp);
    PatBlt(mem, 0, 0, wr.right - wr.left, wr.bottom - wr.top, BLACKNESS);
    SendMessageA(b, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(mem, 0, 0), data->Color(slot::ButtonShadow));
    PatBlt(mem, 0, 0, wr.right - wr.left, wr.bottom - wr.top, BLACKNESS);
    EXPECT_EQ(SendMessageA(b, TSkinEdit::kPaintIntoMessage, reinterpret_cast<WPARAM>(mem), TSkinEdit::kPaintIntoKey),
              TSkinEdit::kPaintIntoKey);
    EXPECT_EQ(PixelFromColorRef(GetPixel(mem, 5, 5)), ClientPixel(b, 5, 5)) << "the edit's own paint";
    EXPECT_EQ(SendMessageA(b, TSkinEdit::kPaintIntoMessage, 0x1234, TSkinEdit::kPaintIntoKey), TSkinEdit::kPaintIntoKey);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
  }

  // The combo box's edit part leads through the skin while it is on, and is given back after.
  EXPECT_TRUE(AnswersSkinned(combo->Handle()));
  EXPECT_NE(ui::Subclass::FindOn(edit_part, ui::Subclass::Kind::EditPart), nullptr);
  data->SetActive(false);
  PumpUntil([&] { return !AnswersSkinned(combo->Handle()) && !AnswersSkinned(b); });
  EXPECT_FALSE(AnswersSkinned(combo->Handle()));
  EXPECT_FALSE(AnswersSkinned(b));
  EXPECT_EQ(ui::Subclass::FindOn(edit_part, ui::Subclass::Kind::EditPart), nullptr);
  EXPECT_NE(ui::Subclass::FindOn(edit_part, ui::Subclass::Kind::ComboEdit), nullptr) << "the toolkit's own stays";
  data->SetActive(true);
  PumpUntil([&] { return AnswersSkinned(combo->Handle()) && AnswersSkinned(b); });
  EXPECT_TRUE(AnswersSkinned(combo->Handle()));
  EXPECT_TRUE(AnswersSkinned(b));
}

TEST_F(InputsForm, ClosingATabAsksTheFormAndKeepsThePageWhenItSaysSo) {
  const HWND tab = pages->Handle();
  ASSERT_TRUE(AnswersSkinned(tab));
  ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
  const POINT box = CloseBoxCentre(tab, 1);
  // The cross is drawn in the tab's text colour.
  EXPECT_EQ(ClientPixel(tab, box.x, box.y), PixelFromColorRef(data->Color(slot::ButtonText)));

  keep_page = 1;
  SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  SendMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  ASSERT_EQ(close_requests.size(), 1u);
  EXPECT_EQ(close_requests[0], std::make_pair(tab, 1));
  EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3) << "kept";
  EXPECT_TRUE(pages->Page(1)->TabVisible());

  keep_page = 0;
  SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  SendMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  HandlePending();
  ASSERT_EQ(close_requests.size(), 2u);
  EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2) << "closed";
  EXPECT_FALSE(pages->Page(1)->TabVisible());
  EXPECT_EQ(pages->ActivePage(), pages->Page(0));

  // A press on a tab away from its close box picks the tab as ever.
  const RECT third = ItemRect(tab, 1);
  SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.left + 4, (third.top + third.bottom) / 2));
  SendMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(third.left + 4, (third.top + third.bottom) / 2));
  HandlePending();
  EXPECT_EQ(close_requests.size(), 2u);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(InputsForm, TabsAtTheBottomAreTheSamePictureMirrored) {
  ASSERT_TRUE(AnswersSkinned(bottom));
  const TDataSkinBorder& tabs = *data->Elements().Tabs;
  const int frames = tabs.Frame;
  RECT cr{};
  GetClientRect(bottom, &cr);
  // The same tab of the top control and of the bottom one: the picture's third row from its
  // outer edge, which differs from the third row from its inner edge.
  const RECT top = ItemRect(pages->Handle(), 1), below = ItemRect(bottom, 1);
  const Pixel outer = FramePixel(tabs.Bitmap, frames, 1, 3, 2);
  ASSERT_NE(outer, FramePixel(tabs.Bitmap, frames, 1, 3, tabs.Bitmap.Height() - 1 - 2));
  EXPECT_EQ(ClientPixel(pages->Handle(), top.left + 3, top.top - 2 + 2), outer);
  const int pictureBottom = std::min<int>(below.bottom + 2, cr.bottom);
  EXPECT_EQ(ClientPixel(bottom, below.left + 3, pictureBottom - 1 - 2), outer);
}

}  // namespace
}  // namespace quillet::skin::win32
