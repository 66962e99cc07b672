// The page's Win32 controls: places, tab order, looks, and the handlers driven through the real
// controls, the system registry and the real platform services.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "creator/creator_sheet.h"
#include "creator/special_object.h"
#include "registry/registry_store.h"
#include "support/wait.h"
#include "ui/forms.h"

namespace quillet::creator {
namespace {

constexpr const char* kSheetId = "{C4EA7E57-0004-4000-8000-00000000C4EA}";

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// One window for the whole suite: showing and destroying a top-level window costs seconds under
// Wine without a window manager. Each test starts from a blank page.
class SheetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::Application().Initialize();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "quillet-sheet-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    form_ = new ui::TForm(nullptr, "CreatorForm");
    form_->SetCaption("Quillet");
    form_->SetClientSize(712, 500);
    auto& pages = ui::Make<ui::TPageControl>(*form_, form_, "PageControl1", {0, 0, 712, 500});
    ui::TTabSheet& sheet = pages.AddPage("TabSheet1", "Special Object Creator");
    page_ = new TCreatorSheet(sheet, folder_);
    form_->Show();
    Pump();
  }
  static void TearDownTestSuite() {
    delete page_;
    delete form_;
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  void SetUp() override {
    Clean();
    for (ui::TEdit* e : {page_->RFName, page_->RFDesc, page_->RME, page_->ShellName, page_->RFCN,
                         page_->RFPar, page_->RFDIcon})
      e->SetText("");
    for (ui::TCheckBox* c : {page_->STCP, page_->STMC, page_->STD, page_->STNN}) c->SetChecked(false);
    page_->RFCNum->SetItems({});
    page_->RFCNum->SetText("");
    page_->List->SetItems({});
    page_->Def->SetCaption("");
    DeleteFileA((folder_ + "CLSID.dat").c_str());
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    DeleteKeyAt(kLocalMachine, ClassKey(kSheetId));
    for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
      DeleteKeyAt(kLocalMachine, PlaceKey(place, kSheetId));
  }
  // Where a window stands on the sheet.
  RECT OnSheet(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, page_->Sheet().Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void TypeInto(HWND edit, const std::string& text) {
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
  }

  static inline std::string folder_;
  static inline ui::TForm* form_ = nullptr;
  static inline TCreatorSheet* page_ = nullptr;
};

TEST_F(SheetTest, ControlsStandAtTheirPlacesInTabOrder) {
  struct Place {
    const char* name;
    int left, top, width, height;
  };
  // In tab order.
  const Place places[] = {
      {"Button13", 102, 16, 25, 21},   {"RFCNum", 128, 16, 289, 0},     {"Button11", 418, 16, 25, 21},
      {"Gen", 472, 16, 73, 21},        {"VM", 552, 16, 73, 21},         {"Button10", 632, 16, 65, 21},
      {"RFName", 128, 48, 313, 21},    {"RFDesc", 128, 72, 313, 21},    {"RME", 128, 96, 313, 21},
      {"STCP", 472, 65, 0, 0},         {"STMC", 570, 65, 0, 0},         {"STD", 472, 83, 0, 0},
      {"STNN", 570, 83, 0, 0},         {"ShellName", 128, 168, 313, 21}, {"RFCN", 128, 192, 313, 21},
      {"Button12", 102, 216, 25, 21},  {"RFPar", 128, 216, 289, 21},    {"RFP", 418, 216, 24, 22},
      {"Button2", 128, 240, 89, 21},   {"Button1", 224, 240, 97, 21},   {"Button3", 328, 240, 86, 21},
      {"List", 474, 160, 209, 273},    {"Button5", 584, 435, 97, 30},   {"RFDIcon", 128, 320, 289, 21},
      {"FDI", 418, 320, 24, 22},       {"Button4", 128, 344, 121, 25},  {"btnCreate", 88, 416, 145, 49},
      {"Delete", 240, 416, 137, 49},   {"Panel1", 24, 320, 64, 64},
  };
  HWND child = GetWindow(page_->Sheet().Handle(), GW_CHILD);
  for (const Place& p : places) {
    ASSERT_NE(child, nullptr) << p.name;
    ui::TWinControl* control = ui::TWinControl::FromHandle(child);
    ASSERT_NE(control, nullptr) << p.name;
    EXPECT_EQ(control->Name(), p.name);
    const RECT r = OnSheet(child);
    EXPECT_EQ(r.left, p.left) << p.name;
    EXPECT_EQ(r.top, p.top) << p.name;
    if (p.width) {
      EXPECT_EQ(r.right - r.left, p.width) << p.name;
    }
    if (p.height) {
      EXPECT_EQ(r.bottom - r.top, p.height) << p.name;
    }
    EXPECT_TRUE(GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP || control->Name() == "Panel1") << p.name;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);

  // The preview fills its frame.
  RECT image = page_->AII->BoundsRect();
  EXPECT_EQ(image.left, 2);
  EXPECT_EQ(image.right - image.left, 60);
  EXPECT_EQ(SendMessageA(page_->List->Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
  EXPECT_TRUE(GetWindowLongPtrA(page_->Button4->Handle(), GWL_STYLE) & BS_MULTILINE);
}

TEST_F(SheetTest, CaptionsColoursWeightsAndHints) {
  auto label = [&](const char* name) { return dynamic_cast<ui::TLabel*>(page_->Sheet().FindComponent(name)); };
  struct Text {
    const char* name;
    const char* caption;
    bool bold, green;
    int left, top;
  };
  const Text labels[] = {
      {"Label1", "CLSID", false, true, 18, 16},
      {"Label2", "Name", false, true, 18, 48},
      {"Label3", "Description", false, false, 18, 72},
      {"Label4", "Removal Message", false, false, 18, 96},
      {"Label5", "Save To (Quillet Location) :", true, false, 472, 48},
      {"Label6", "Shell Manager :", true, false, 18, 144},
      {"Label7", "Name", false, false, 18, 168},
      {"Label8", "Caption", false, false, 18, 192},
      {"Label9", "Parameter", false, false, 18, 216},
      {"Label10", "Shell List :", false, false, 474, 144},
      {"Label11", "Default : ", true, false, 474, 435},
      {"Label12", "Default Icon", true, false, 22, 296},
      {"Def", "", false, false, 474, 451},
  };
  for (const Text& t : labels) {
    ui::TLabel* l = label(t.name);
    ASSERT_NE(l, nullptr) << t.name;
    EXPECT_EQ(l->Caption(), t.caption);
    EXPECT_EQ(l->Font().bold, t.bold) << t.name;
    EXPECT_EQ(l->Font().color == 0x008000, t.green) << t.name;
    EXPECT_EQ(l->Left(), t.left) << t.name;
    EXPECT_EQ(l->Top(), t.top) << t.name;
  }
  EXPECT_EQ(page_->STCP->Caption(), "Control &Panel");
  EXPECT_EQ(page_->STMC->Caption(), "My &Computer");
  EXPECT_EQ(page_->STD->Caption(), "&Desktop");
  EXPECT_EQ(page_->STNN->Caption(), "My &Network Place");
  EXPECT_EQ(page_->Button4->Caption(), "Set as Default Icon");
  EXPECT_EQ(page_->btnCreate->Caption(), "Create / Save");
  EXPECT_EQ(page_->Button13->Hint(), "Edit CLSID List manually (with Notepad)");
  EXPECT_EQ(page_->Button11->Hint(), "Remove Selected CLSID from List");
  EXPECT_EQ(page_->Gen->Hint(), "Generate random CLSID");
  EXPECT_EQ(page_->VM->Hint(),
            "Click here if the selected \"Special Object\" is not exist in Specified Location");
  EXPECT_EQ(page_->Button10->Hint(), "Scan Available \"Special Object\"");
  EXPECT_EQ(page_->Button12->Hint(), "Add \"RunDLL\" Execute Parameter");
  // Each hint is in the tooltip that shows on hover.
  for (ui::TButton* b : {page_->Button13, page_->Button11, page_->Gen, page_->VM, page_->Button10, page_->Button12}) {
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = page_->Sheet().Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(b->Handle());
    tool.lpszText = text;
    SendMessageA(ui::Application().HintWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(text), b->Hint()) << b->Name();
  }
}

TEST_F(SheetTest, TypingAndPickingInTheRealComboFillThePage) {
  WriteMachineText(ClassKey(kSheetId), "", "Sheet Thing");
  WriteMachineText(ClassKey(kSheetId) + "\\Shell\\open", "", "&Open");
  CreateKeyAt(kLocalMachine, PlaceKey(kControlPanel, kSheetId));
  HWND edit = page_->RFCNum->EditHandle();
  ASSERT_NE(edit, nullptr);

  page_->RFName->SetText("before");
  page_->RFCNum->SetText(kSheetId);  // the program's own text fills nothing
  Pump();
  EXPECT_EQ(page_->RFName->Text(), "before");

  page_->RFCNum->SetText("");
  TypeInto(edit, "{");
  EXPECT_EQ(page_->RFName->Text(), "");
  TypeInto(edit, std::string(kSheetId).substr(1));
  EXPECT_EQ(page_->RFCNum->Text(), kSheetId);
  EXPECT_EQ(page_->RFName->Text(), "Sheet Thing");
  EXPECT_TRUE(page_->STCP->Checked());
  EXPECT_FALSE(page_->STD->Checked());
  EXPECT_EQ(page_->List->Items(), std::vector<std::string>{"open"});

  // Picking with the arrow keys: the picked entry becomes the text before the fill reads it.
  page_->RFCNum->SetItems({"{nothing}", kSheetId});
  page_->RFCNum->SetText("");
  page_->RFName->SetText("x");
  page_->RFCNum->SetFocus();
  SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(page_->RFCNum->Text(), "{nothing}");
  EXPECT_EQ(page_->RFName->Text(), "");
  SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(page_->RFCNum->Text(), kSheetId);
  EXPECT_EQ(page_->RFName->Text(), "Sheet Thing");
  EXPECT_EQ(page_->RFCNum->ItemIndex(), 1);
}

TEST_F(SheetTest, EscAndEnterInTheRealEdits) {
  page_->RFDesc->SetText("text");
  SendMessageA(page_->RFDesc->Handle(), WM_CHAR, VK_ESCAPE, 1);
  EXPECT_EQ(page_->RFDesc->Text(), "");
  page_->ShellName->SetText("verb");
  SendMessageA(page_->ShellName->Handle(), WM_CHAR, VK_RETURN, 1);
  EXPECT_EQ(page_->ShellName->Text(), "Open");
  EXPECT_EQ(page_->RFCN->Text(), "&Open");
}

TEST_F(SheetTest, ButtonsRunTheirHandlers) {
  page_->RFCNum->SetText(kSheetId);
  page_->RFName->SetText("Clicked");
  page_->STMC->SetChecked(true);
  SendMessageA(page_->btnCreate->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadMachineText(ClassKey(kSheetId), ""), "Clicked");
  EXPECT_TRUE(KeyExistsAt(kLocalMachine, PlaceKey(kMyComputer, kSheetId)));

  page_->ShellName->SetText("go");
  page_->RFPar->SetText("go.exe");
  SendMessageA(page_->Button12->Handle(), BM_CLICK, 0, 0);
  SendMessageA(page_->Button2->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadMachineText(ClassKey(kSheetId) + "\\Shell\\go\\Command", ""),
            "Rundll32 Shell32.dll,ShellExec_RunDLL go.exe");
  EXPECT_EQ(page_->List->ItemIndex(), 0);
  SendMessageA(page_->Button5->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(page_->Def->Caption(), "go");
  SendMessageA(page_->Button4->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadMachineText(ClassKey(kSheetId) + "\\DefaultIcon", ""), "Shell32.dll,36");

  const std::string first = page_->RFCNum->Text();
  SendMessageA(page_->Gen->Handle(), BM_CLICK, 0, 0);
  EXPECT_NE(page_->RFCNum->Text(), first);
  EXPECT_EQ(page_->RFCNum->Text().size(), 38u);
  EXPECT_EQ(page_->RFName->Text(), "");
}

// Icons from a real icon file the test writes and from a system library, through ExtractIconA.
TEST_F(SheetTest, PreviewShowsIconsTakenFromFiles) {
  // One 16 x 16 icon, 32 bits per pixel, all opaque blue.
  std::string ico;
  auto u16 = [&](unsigned v) { ico += static_cast<char>(v & 0xFF); ico += static_cast<char>(v >> 8); };
  auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
  const unsigned pixels = 16 * 16 * 4, mask = 16 * 4, bytes = 40 + pixels + mask;
  u16(0); u16(1); u16(1);
  ico += static_cast<char>(16); ico += static_cast<char>(16); ico += '\0'; ico += '\0';
  u16(1); u16(32); u32(bytes); u32(6 + 16);
  u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(pixels + mask); u32(0); u32(0); u32(0); u32(0);
  for (unsigned i = 0; i < 16 * 16; ++i) u32(0xFF0000FFu);
  ico.append(mask, '\0');
  const std::string path = folder_ + "blue.ico";
  std::ofstream(path, std::ios::binary) << ico;

  CreatorPage& page = page_->Logic();
  auto shows = [&](const std::string& location) {
    page_->RFDIcon->SetText(location);
    page.ReadIcon();
    return page_->AII->Icon() != nullptr;
  };
  EXPECT_TRUE(shows(path));
  EXPECT_TRUE(shows("\"" + path + "\",0"));
  EXPECT_EQ(page_->RFDIcon->Text(), path + ",0");
  EXPECT_FALSE(shows(path + ",1"));
  EXPECT_TRUE(shows("shell32.dll,3"));
  EXPECT_FALSE(shows("shell32.dll, 3"));
  EXPECT_FALSE(shows(folder_ + "missing.dll"));
  EXPECT_TRUE(shows("shell32.dll"));
  EXPECT_THROW(shows("shell32.dll,3x"), std::exception);
  EXPECT_NE(page_->AII->Icon(), nullptr);  // the previous icon stays
}

TEST_F(SheetTest, EditListRunsTheEditorAndWaitsForIt) {
  std::ofstream(folder_ + "CLSID.dat", std::ios::binary) << "{A}\r\n";
  page_->RFCNum->SetText("{kept}");
  SendMessageA(page_->Button13->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(page_->RFCNum->Items(), (std::vector<std::string>{"{A}", "{EDITED}"}));
  EXPECT_EQ(page_->RFCNum->Text(), "{kept}");
}

// Answers the confirmation box from another thread the way a user would, and notes what it showed.
struct ConfirmAnswer {
  std::string caption, text, buttons;
  bool escape_closed = false;
};

TEST_F(SheetTest, DeleteAsksInAConfirmBoxThatEscAnswersNo) {
  WriteMachineText(ClassKey(kSheetId), "", "Asked");
  page_->RFCNum->SetText(kSheetId);
  page_->RFName->SetText("Asked");
  ConfirmAnswer seen;
  HANDLE thread = CreateThread(nullptr, 0, [](void* p) -> DWORD {
    auto& seen = *static_cast<ConfirmAnswer*>(p);
    HWND box = nullptr;
    if (!testing::WaitUntil([&] { return (box = FindWindowA(nullptr, "Confirm")) != nullptr; })) return 1;
    char text[512] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      char cls[32] = {}, t[512] = {};
      GetClassNameA(c, cls, sizeof cls);
      GetWindowTextA(c, t, sizeof t);
      if (lstrcmpiA(cls, "Button") == 0) seen.buttons += std::string(t) + "|";
      else if (lstrcmpiA(cls, "Static") == 0 && *t) seen.text = t;
    }
    // Esc on the focused default button, through the box's own message loop.
    PostMessageA(GetDlgItem(box, IDYES), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    // Hiding a window waits on the X server for up to a second without a window manager.
    seen.escape_closed = testing::WaitUntil([&] { return !IsWindow(box); });
    if (!seen.escape_closed) PostMessageA(box, WM_COMMAND, IDNO, 0);
    return 0;
  }, &seen, 0, nullptr);
  SendMessageA(page_->Delete->Handle(), BM_CLICK, 0, 0);
  WaitForSingleObject(thread, testing::kPatience);
  CloseHandle(thread);
  EXPECT_EQ(seen.caption, "Confirm");
  EXPECT_EQ(seen.text, "Are you sure to Delete \"Asked - " + std::string(kSheetId) +
                           "\"\r\rThis will Delete it PERMANENTLY !");
  EXPECT_EQ(seen.buttons, "&Yes|&No|");
  EXPECT_TRUE(seen.escape_closed);
  EXPECT_EQ(ReadMachineText(ClassKey(kSheetId), ""), "Asked");
}

// Answers a file dialog from another thread: notes its filter list and choice, types a name and
// confirms it.
struct DialogAnswer {
  std::string title, name;
  std::vector<std::string> filters;
  std::string selected;
  bool answered = false;
};

DWORD WINAPI AnswerFileDialog(void* p) {
  auto& a = *static_cast<DialogAnswer*>(p);
  HWND box = nullptr;
  if (!testing::WaitUntil([&] { return (box = FindWindowA(nullptr, a.title.c_str())) != nullptr; })) return 1;
  // A modal dialog shows once it has filled its lists.
  if (!testing::WaitUntil([&] { return IsWindowVisible(box); })) return 1;
  HWND types = GetDlgItem(box, 0x470);  // the file type list
  const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char t[128] = {};
    SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
    a.filters.push_back(t);
  }
  const int current = static_cast<int>(SendMessageA(types, CB_GETCURSEL, 0, 0));
  if (current >= 0 && current < count) a.selected = a.filters[static_cast<size_t>(current)];
  HWND name = GetDlgItem(box, 0x47c);  // the file name box
  if (!name) name = GetDlgItem(box, 0x480);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.name.c_str()));
  PostMessageA(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  a.answered = testing::WaitUntil([&] { return !IsWindow(box); });  // closing may take a second here
  if (!a.answered) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

TEST_F(SheetTest, BrowseDialogsShowTheirFiltersAndFillTheField) {
  const std::string icon = folder_ + "pick.ico";
  std::ofstream(icon, std::ios::binary) << "not really an icon";
  DialogAnswer answer;
  answer.title = "Browse Icon";
  answer.name = icon;
  HANDLE thread = CreateThread(nullptr, 0, AnswerFileDialog, &answer, 0, nullptr);
  SendMessageA(page_->FDI->Handle(), BM_CLICK, 0, 0);
  WaitForSingleObject(thread, testing::kPatience);
  CloseHandle(thread);
  EXPECT_TRUE(answer.answered);
  EXPECT_EQ(answer.filters, (std::vector<std::string>{"Application (*.exe)", "Control Panel File (*.cpl)",
                                                      "Cursor File (*.cur)", "Dynamic Link Library (*.dll)",
                                                      "Icon File (*.ico)", "All Files (*.*)"}));
  EXPECT_EQ(answer.selected, "Icon File (*.ico)");
  EXPECT_EQ(lstrcmpiA(page_->RFDIcon->Text().c_str(), icon.c_str()), 0) << page_->RFDIcon->Text();
  EXPECT_EQ(GetFocus(), page_->RFDIcon->Handle());
  EXPECT_EQ(page_->AII->Icon(), nullptr);  // the preview waits for a refresh

  // The command dialog: the file replaces the whole parameter, unquoted.
  std::ofstream(folder_ + "my tool.exe") << "x";
  page_->RFPar->SetText("old parameter");
  DialogAnswer command;
  command.title = "Browse";
  command.name = folder_ + "my tool.exe";
  thread = CreateThread(nullptr, 0, AnswerFileDialog, &command, 0, nullptr);
  SendMessageA(page_->RFP->Handle(), BM_CLICK, 0, 0);
  WaitForSingleObject(thread, testing::kPatience);
  CloseHandle(thread);
  EXPECT_TRUE(command.answered);
  EXPECT_EQ(command.filters, (std::vector<std::string>{"Application (*.exe)", "All Files (*.*)"}));
  EXPECT_EQ(lstrcmpiA(page_->RFPar->Text().c_str(), (folder_ + "my tool.exe").c_str()), 0) << page_->RFPar->Text();
}

// Not a check: with QUILLET_SCREENSHOT_DIR set, saves the page filled with an object as a bitmap.
TEST_F(SheetTest, Screenshot) {
  const char* dir = std::getenv("QUILLET_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "QUILLET_SCREENSHOT_DIR not set";
  const std::string k = ClassKey(kSheetId);
  WriteMachineText(k, "", "My Tools");
  WriteMachineText(k, "InfoTip", "The tools I use every day");
  for (const auto& [verb, caption, command] :
       {std::tuple{"open", "&Open", "explorer.exe C:\\Tools"}, {"edit", "&Edit list", "notepad.exe C:\\Tools\\list.txt"},
        {"run", "&Run setup", "C:\\Tools\\setup.exe"}}) {
    WriteMachineText(k + "\\Shell\\" + verb, "", caption);
    WriteMachineText(k + "\\Shell\\" + verb + "\\Command", "", command);
  }
  WriteMachineText(k + "\\Shell", "", "open");
  WriteMachineText(k + "\\DefaultIcon", "", "shell32.dll,3");
  WriteMachineText(PlaceKey(kDesktop, kSheetId), "Removal Message", "");
  WriteMachineText(PlaceKey(kMyComputer, kSheetId), "Removal Message", "");
  page_->RFCNum->SetItems({"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", kSheetId});
  page_->RFCNum->SetFocus();
  SendMessageA(page_->RFCNum->EditHandle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(page_->RFCNum->EditHandle(), WM_KEYDOWN, VK_DOWN, 0);
  page_->RME->SetText("Remove my tools from here?");
  page_->List->SetItemIndex(1);
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();

  HWND window = form_->Handle();
  RECT r;
  GetClientRect(window, &r);
  const int w = r.right, h = r.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                      sizeof fh + sizeof bi.bmiHeader};
  std::ofstream out(std::string(dir) + "\\creator_page.bmp", std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  EXPECT_TRUE(out.good());
}

}  // namespace
}  // namespace quillet::creator
