#include "gallery.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "skin/embedded_skin.h"
#include "skin/win32/canvas.h"
#include "skin/win32/control_skin.h"
#include "ui/buttons.h"
#include "ui/comctrls.h"
#include "ui/dpi.h"
#include "ui/extctrls.h"
#include "ui/popup_menu.h"
#include "ui/stdctrls.h"

namespace quillet::gallery {

namespace {

using skin::Bitmap32;
using skin::Pixel;
using skin::Rgb;
using ui::Make;

// ---- Pictures for the glyph buttons: 16 x 16 over magenta, the key colour at bottom-left. ----

void Dot(Bitmap32& b, int x, int y, Pixel c) {
  b.Put(x, y, c);
  b.Put(x + 1, y, c);
  b.Put(x, y + 1, c);
  b.Put(x + 1, y + 1, c);
}

void Line(Bitmap32& b, int x0, int y0, int x1, int y1, Pixel c) {
  const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= n; ++i) Dot(b, x0 + (x1 - x0) * i / std::max(n, 1), y0 + (y1 - y0) * i / std::max(n, 1), c);
}

enum class Picture { Check, Cross, Page, Folder, Disk };

HBITMAP MakeGlyph(Picture p) {
  Bitmap32 b(16, 16, skin::kMagenta);
  const Pixel ink = Rgb(64, 64, 68), accent = Rgb(52, 104, 168);
  switch (p) {
    case Picture::Check:
      Line(b, 2, 8, 6, 12, Rgb(46, 125, 70));
      Line(b, 6, 12, 13, 3, Rgb(46, 125, 70));
      break;
    case Picture::Cross:
      Line(b, 3, 3, 12, 12, Rgb(180, 60, 60));
      Line(b, 12, 3, 3, 12, Rgb(180, 60, 60));
      break;
    case Picture::Page:
      b.FillRect({3, 1, 13, 15}, Rgb(255, 255, 255));
      for (int i = 3; i < 13; ++i) b.Set(i, 1, ink), b.Set(i, 14, ink);
      for (int i = 1; i < 15; ++i) b.Set(3, i, ink), b.Set(12, i, ink);
      for (int y = 4; y < 12; y += 3) Line(b, 5, y, 9, y, Rgb(170, 170, 176));
      break;
    case Picture::Folder:
      b.FillRect({1, 4, 8, 6}, Rgb(214, 168, 72));
      b.FillRect({1, 6, 15, 14}, Rgb(232, 190, 96));
      for (int i = 1; i < 15; ++i) b.Set(i, 13, Rgb(170, 128, 50));
      break;
    case Picture::Disk:
      b.FillRect({2, 2, 14, 14}, accent);
      b.FillRect({4, 2, 12, 7}, Rgb(255, 255, 255));
      b.FillRect({5, 10, 11, 14}, Rgb(214, 226, 242));
      break;
  }
  return skin::win32::MakeBitmap(b).Release();  // the glyph that shows it owns it
}

// ---- A check box and a radio button that draw their own pictures, as some toolkits' do. ----

class TImageCheck : public ui::TWinControl {
 public:
  TImageCheck(ui::TComponent* owner, std::string name, bool radio) : TWinControl(owner, std::move(name)), radio_(radio) {
    tab_stop_ = true;
    props_.Publish("Checked", [this] { return ui::PropValue::OfBool(checked_); });
  }
  const char* ClassName() const override { return radio_ ? "TImageRadio" : "TImageCheck"; }
  void SetChecked(bool c) {
    if (c && radio_ && parent_)
      for (ui::TControl* s : parent_->Controls())
        if (auto* other = dynamic_cast<TImageCheck*>(s); other && other != this && other->radio_) other->SetChecked(false);
    checked_ = c;
    Invalidate();
  }

 protected:
  void WndProc(ui::Message& m) override {
    if (m.msg == WM_LBUTTONUP && Enabled()) SetChecked(radio_ ? true : !checked_);
    TWinControl::WndProc(m);
  }
  void PaintWindow(HDC dc) override {
    RECT box{0, (bounds_.height - 13) / 2, 13, (bounds_.height - 13) / 2 + 13};
    DrawFrameControl(dc, &box, DFC_BUTTON, (radio_ ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (checked_ ? DFCS_CHECKED : 0));
    RECT text{17, 0, bounds_.width, bounds_.height};
    ui::gdi::Select font(dc, DrawingFont());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
  }

 private:
  bool radio_;
  bool checked_ = false;
};

// A page control standing for other toolkits' page controls: the skin list names its class.
class TGalleryPages : public ui::TPageControl {
 public:
  using TPageControl::TPageControl;
  const char* ClassName() const override { return "TGalleryPages"; }
};

// ---- The form. ----

HMENU MakeMenuBar() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, 101, "&New\tCtrl+N");
  AppendMenuA(file, MF_STRING, 102, "&Open...\tCtrl+O");
  AppendMenuA(file, MF_STRING, 103, "&Save\tCtrl+S");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, 104, "E&xit");
  HMENU edit = CreatePopupMenu();
  AppendMenuA(edit, MF_STRING, 201, "&Undo\tCtrl+Z");
  AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(edit, MF_STRING, 202, "Cu&t\tCtrl+X");
  AppendMenuA(edit, MF_STRING, 203, "&Copy\tCtrl+C");
  AppendMenuA(edit, MF_STRING | MF_GRAYED, 204, "&Paste\tCtrl+V");
  HMENU view = CreatePopupMenu();
  AppendMenuA(view, MF_STRING | MF_CHECKED, 301, "&Tool bar");
  AppendMenuA(view, MF_STRING | MF_CHECKED, 302, "&Status bar");
  AppendMenuA(view, MF_STRING, 303, "&Grid lines");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
  AppendMenuA(bar, MF_STRING, 401, "&Help");
  return bar;
}

// A system control the toolkit has no class for, made straight on a container.
HWND Bare(ui::TWinControl& parent, const char* cls, const char* text, DWORD style, ui::Bounds b, DWORD ex = 0) {
  // Laid out in 96-DPI units like the toolkit's controls.
  for (int* v : {&b.left, &b.top, &b.width, &b.height}) *v = parent.Scaled(*v);
  HWND h = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, b.left, b.top, b.width, b.height,
                           parent.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(parent.DrawingFont()), FALSE);
  return h;
}

template <class T>
T& Button(ui::TComponent& owner, ui::TWinControl* parent, const char* caption, ui::Bounds b) {
  T& c = Make<T>(owner, parent, caption, b);
  c.SetCaption(caption);
  return c;
}

void ShowMessageBox(HWND owner) {
  MessageBoxA(owner, "This is a message box in the skin: its frame, its buttons and its face.",
              "Quillet skin gallery", MB_OKCANCEL | MB_ICONINFORMATION);
}

}  // namespace

TGalleryForm::TGalleryForm(ui::TComponent* owner) : TForm(owner, "GalleryForm") {
  SetCaption("Quillet skin gallery");
  SetClientSize(984, 640);
  SetBorderStyle(ui::BorderStyle::Sizeable);
  SetMaximizeBox(true);
  SetPosition(ui::FormPosition::ScreenCenter);
  ui::TForm& f = *this;

  // Tool bar: flat speed buttons, one group down, one disabled.
  auto& bar = Make<ui::TToolBar>(f, &f, "ToolBar1", {0, 0, 984, 28});
  bar.SetButtonSize(26, 24);
  auto glyphButton = [&](const char* name, Picture p) -> ui::TSpeedButton& {
    ui::TSpeedButton& b = bar.AddButton(name, "");
    b.Glyph().Set(MakeGlyph(p), 1);
    return b;
  };
  glyphButton("NewButton", Picture::Page);
  glyphButton("OpenButton", Picture::Folder);
  glyphButton("SaveButton", Picture::Disk).SetEnabled(false);
  for (const char* c : {"B", "I", "U"}) {
    ui::TSpeedButton& b = bar.AddButton(std::string("Style") + c, c);
    b.SetGroupIndex(1);
    b.SetFont({"MS Sans Serif", -11, c[0] == 'B', c[0] == 'I', c[0] == 'U'});
    if (c[0] == 'B') b.SetDown(true);
  }
  bar.SetFlat(true);

  auto& popup = f.Own<ui::TPopupMenu>(&f, "PopupMenu1");
  popup.Add("&Cut").shortcut = "Ctrl+X";
  popup.Add("C&opy").shortcut = "Ctrl+C";
  popup.Add("&Paste").enabled = false;
  popup.Add("-");
  popup.Add("&Wrap lines").checked = true;
  ui::TMenuItem& more = popup.Add("&More");
  more.Add("&First");
  more.Add("&Second");

  // Push buttons in their states; the hot one is what the pointer is over.
  auto& buttons = Make<ui::TGroupBox>(f, &f, "Buttons", {8, 36, 232, 262});
  buttons.SetCaption("Buttons");
  Button<ui::TButton>(f, &buttons, "Normal", {10, 18, 102, 24});
  Button<ui::TButton>(f, &buttons, "Hot", {120, 18, 102, 24});
  auto& pressed = Button<ui::TButton>(f, &buttons, "Pressed", {10, 48, 102, 24});
  SendMessageA(pressed.Handle(), BM_SETSTATE, TRUE, 0);
  Button<ui::TButton>(f, &buttons, "Default", {120, 48, 102, 24}).SetDefault(true);
  Button<ui::TButton>(f, &buttons, "Disabled", {10, 78, 102, 24}).SetEnabled(false);
  auto& focused = Button<ui::TButton>(f, &buttons, "Focused", {120, 78, 102, 24});
  OnShow = [&focused] { focused.SetFocus(); };
  Button<ui::TButton>(f, &buttons, "Two||lines", {10, 108, 102, 34});
  Button<ui::TMenuButton>(f, &buttons, "Options", {120, 112, 102, 26}).SetDropDownMenu(&popup);
  auto glyphed = [&](const char* caption, ui::Bounds b, Picture p) -> ui::TBitBtn& {
    auto& g = Button<ui::TBitBtn>(f, &buttons, caption, b);
    g.Glyph().Set(MakeGlyph(p), 1);
    return g;
  };
  glyphed("OK", {10, 150, 102, 26}, Picture::Check);
  glyphed("Cancel", {120, 150, 102, 26}, Picture::Cross);
  glyphed("Save", {10, 182, 102, 26}, Picture::Disk).SetEnabled(false);
  auto& open = glyphed("Open", {120, 182, 102, 40}, Picture::Folder);
  open.Glyph().layout = ui::GlyphLayout::Top;
  open.Glyph().spacing = 2;
  auto& box = Button<ui::TButton>(f, &buttons, "Message box...", {10, 228, 102, 26});
  box.OnClick = [this] { ShowMessageBox(Handle()); };
  auto& pop = Button<ui::TButton>(f, &buttons, "Popup menu...", {120, 228, 102, 26});
  pop.OnClick = [&pop, &popup] {
    RECT r{};
    GetWindowRect(pop.Handle(), &r);
    popup.Popup(r.left, r.bottom);
  };

  // Check boxes, radio buttons, and the ones that draw their own pictures.
  auto& choices = Make<ui::TGroupBox>(f, &f, "Choices", {248, 36, 232, 262});
  choices.SetCaption("Check boxes and radio buttons");
  auto check = [&](const char* caption, int y, bool checked, bool enabled) {
    auto& c = Make<ui::TCheckBox>(f, &choices, caption, {12, y, 110, 20});
    c.SetCaption(caption);
    c.SetChecked(checked);
    c.SetEnabled(enabled);
  };
  check("Unchecked", 20, false, true);
  check("Checked", 44, true, true);
  check("Disabled", 92, false, false);
  check("Disabled, on", 116, true, false);
  HWND mixed = Bare(choices, "BUTTON", "Mixed", BS_AUTO3STATE | WS_TABSTOP, {12, 68, 110, 20});
  SendMessageA(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  HWND first = Bare(choices, "BUTTON", "First", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {126, 20, 96, 20});
  SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
  Bare(choices, "BUTTON", "Second", BS_AUTORADIOBUTTON, {126, 44, 96, 20});
  EnableWindow(Bare(choices, "BUTTON", "Disabled", BS_AUTORADIOBUTTON, {126, 68, 96, 20}), FALSE);
  auto& imageCheck = Make<TImageCheck>(f, &choices, "ImageCheck", {12, 150, 110, 20}, false);
  imageCheck.SetCaption("Image check");
  imageCheck.SetChecked(true);
  auto& imageRadio = Make<TImageCheck>(f, &choices, "ImageRadio", {126, 150, 96, 20}, true);
  imageRadio.SetCaption("Image radio");
  imageRadio.SetChecked(true);
  auto& radios = Make<ui::TPanel>(f, &choices, "Radios", {12, 180, 210, 72});
  radios.SetBevelOuter(ui::BevelKind::None);
  auto& note = Make<ui::TLabel>(f, &radios, "Note", {0, 0, 210, 72});
  note.SetWordWrap(true);
  note.SetCaption("The image check and radio stand for controls that draw their own pictures; the "
                  "skin draws them from its check and radio pictures.");

  // Text, lists and pickers.
  auto& input = Make<ui::TGroupBox>(f, &f, "Input", {488, 36, 232, 262});
  input.SetCaption("Input");
  Make<ui::TEdit>(f, &input, "Edit1", {12, 20, 208, 22}).SetText("Some text");
  auto& disabledEdit = Make<ui::TEdit>(f, &input, "Edit2", {12, 48, 208, 22});
  disabledEdit.SetText("Disabled");
  disabledEdit.SetEnabled(false);
  auto& list = Make<ui::TComboBox>(f, &input, "Combo1", {12, 76, 208, 22}, ui::ComboStyle::DropDownList);
  list.SetItems({"First item", "Second item", "Third item"});
  list.SetItemIndex(1);
  auto& editable = Make<ui::TComboBox>(f, &input, "Combo2", {12, 104, 208, 22});
  editable.SetItems({"Typed text", "Another"});
  editable.SetText("Typed text");
  auto& number = Make<ui::TEdit>(f, &input, "Number", {12, 132, 80, 22});
  auto& spin = Make<ui::TUpDown>(f, &input, "UpDown1", {92, 132, 16, 22});
  spin.SetRange(0, 99);
  spin.SetPosition(42);
  spin.SetAssociate(&number);
  Bare(input, DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT | WS_TABSTOP, {12, 160, 208, 22}, WS_EX_CLIENTEDGE);
  Bare(input, DATETIMEPICK_CLASSA, "", DTS_TIMEFORMAT | WS_TABSTOP, {12, 188, 120, 22}, WS_EX_CLIENTEDGE);
  auto& tip = Make<ui::TLabel>(f, &input, "DateNote", {12, 218, 208, 36});
  tip.SetWordWrap(true);
  tip.SetCaption("A date picker with its drop-down button, and a time picker with up-down arrows.");

  // A list long enough to scroll.
  auto& items = Make<ui::TListBox>(f, &f, "List", {728, 42, 248, 256});
  std::vector<std::string> lines;
  for (int i = 1; i <= 60; ++i) lines.push_back("List item " + std::to_string(i));
  items.SetItems(lines);
  items.SetItemIndex(2);

  // Tabs of every kind.
  auto& pages = Make<ui::TPageControl>(f, &f, "Pages", {8, 306, 300, 150});
  for (const char* c : {"General", "Colours", "Advanced"}) {
    ui::TTabSheet& s = pages.AddPage(std::string("Page") + c, c);
    auto& l = Make<ui::TLabel>(f, &s, std::string("Label") + c, {10, 10, 260, 40});
    l.SetWordWrap(true);
    l.SetCaption(std::string("The ") + c + " page of a page control with tabs.");
  }
  auto& buttonPages = Make<ui::TPageControl>(f, &f, "ButtonPages", {316, 306, 250, 150});
  buttonPages.SetStyle(ui::TabStyle::Buttons);
  for (const char* c : {"One", "Two", "Three"}) {
    ui::TTabSheet& s = buttonPages.AddPage(std::string("Button") + c, c);
    auto& l = Make<ui::TLabel>(f, &s, std::string("ButtonLabel") + c, {8, 8, 220, 40});
    l.SetWordWrap(true);
    l.SetCaption("A page control whose tabs are buttons.");
  }
  auto& other = Make<TGalleryPages>(f, &f, "OtherPages", {574, 306, 200, 150});
  for (const char* c : {"Left", "Right"}) {
    ui::TTabSheet& s = other.AddPage(std::string("Other") + c, c);
    auto& l = Make<ui::TLabel>(f, &s, std::string("OtherLabel") + c, {8, 8, 170, 40});
    l.SetWordWrap(true);
    l.SetCaption("Another toolkit's page control.");
  }
  auto& tabSet = Make<ui::TTabSet>(f, &f, "TabSet1", {8, 458, 300, 24});
  tabSet.SetTabs({"Sheet 1", "Sheet 2", "Sheet 3"});

  // Bars.
  auto& bars = Make<ui::TGroupBox>(f, &f, "Bars", {316, 460, 458, 132});
  bars.SetCaption("Progress and track bars");
  auto& progress = Make<ui::TProgressBar>(f, &bars, "Progress1", {12, 22, 200, 18});
  progress.SetPosition(60);
  auto& smooth = Make<ui::TProgressBar>(f, &bars, "Progress2", {12, 48, 200, 18});
  smooth.SetSmooth(true);
  smooth.SetPosition(35);
  auto& track = Make<ui::TTrackBar>(f, &bars, "Track1", {226, 18, 220, 34});
  track.SetPosition(4);
  auto& both = Make<ui::TTrackBar>(f, &bars, "Track2", {226, 58, 220, 40});
  both.SetTickMarks(ui::TickMarks::Both);
  both.SetPosition(7);
  auto& offTrack = Make<ui::TTrackBar>(f, &bars, "Track3", {12, 76, 200, 34});
  offTrack.SetPosition(2);
  offTrack.SetEnabled(false);
  track.OnChange = [&progress, &track] { progress.SetPosition(track.Position() * 10); };
  auto& vertical = Make<ui::TTrackBar>(f, &f, "Track4", {786, 306, 40, 176});
  vertical.SetOrientation(ui::BarOrientation::Vertical);
  vertical.SetPosition(3);
  auto& up = Make<ui::TProgressBar>(f, &f, "Progress3", {836, 310, 18, 170});
  up.SetOrientation(ui::BarOrientation::Vertical);
  up.SetPosition(70);

  auto& player = Make<ui::TMediaPlayer>(f, &f, "MediaPlayer1", {8, 490, 300, 30});
  player.SetEnabledButtons(0b000011111);
  auto& players = Make<ui::TLabel>(f, &f, "PlayerNote", {8, 524, 300, 30});
  players.SetWordWrap(true);
  players.SetCaption("A media player's buttons, drawn over the player by the skin.");

  // The status bar leaves the corner to a size grip of its own.
  auto& status = Make<ui::TStatusBar>(f, &f, "StatusBar1", {0, 618, 967, 22});
  status.SetSizeGrip(false);
  status.AddPanel("Ready", 200);
  status.AddPanel("60 items", 160);
  status.AddPanel("The skin's status bar", 0);
  Bare(f, "SCROLLBAR", nullptr, SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, {967, 623, 17, 17});

  SetMenu(MakeMenuBar());
}

skin::win32::TSkinData& MakeGallerySkin(ui::TComponent& owner, const std::string& file) {
  auto& data = owner.Own<skin::win32::TSkinData>(&owner, "SkinData1");
  data.SetActive(true);
  data.SkinFormtype = skin::sfMainform;
  data.ReadSkinStream(skin::EmbeddedSkinStream());
  if (!file.empty()) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) throw std::runtime_error("cannot read " + file);
    data.SetSkinFile(file);
  }
  std::vector<std::string> lines = data.Skin3rd();
  lines.push_back("TGalleryPages=advpagecontrol");
  data.SetSkin3rd(lines);
  data.OnSkinControl = [](skin::win32::TSkinData&, ui::TWinControl*, ui::TControl*, const std::string& cls,
                          std::unique_ptr<skin::win32::TSkinControl>& skinned) {
    if (cls == "TIMAGECHECK") skinned = skin::win32::MakeControlSkin(skin::SkinClass::TSkinObjImage, skin::SkinMode::Check);
    if (cls == "TIMAGERADIO") skinned = skin::win32::MakeControlSkin(skin::SkinClass::TSkinObjImage, skin::SkinMode::Radio);
  };
  return data;
}

int RunGallery(const std::string& file, std::ostream& err) {
  ui::DeclareDpiAwareness();
  ui::TApplication& app = ui::Application();
  app.Initialize();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
  app.SetTitle("Quillet skin gallery");
  auto& form = app.CreateForm<TGalleryForm>(&app.Root());
  try {
    skin::win32::TSkinData& data = MakeGallerySkin(form, file);
    if (!data.Elements().SkinName.empty()) form.SetCaption("Quillet skin gallery - " + data.Elements().SkinName);
    data.Loaded();
  } catch (const std::exception& e) {
    err << "quillet-skin: " << e.what() << "\n";
    return 1;
  }
  return app.Run();
}

}  // namespace quillet::gallery
