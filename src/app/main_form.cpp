#include "app/main_form.h"

#include <utility>

#include "app/start_options.h"
#include "builtin/builtin_sheet.h"
#include "creator/creator_sheet.h"
#include "dialogs/about_box.h"
#include "dialogs/artwork.h"
#include "dialogs/donate_form.h"
#include "dialogs/maker.h"
#include "app/history_menu.h"
#include "app/startup_trace.h"
#include "icons/icons_sheet.h"
#include "registry/history.h"
#include "registry/history_files.h"
#include "skin/embedded_skin.h"
#include "ui/platform.h"
#include "visibility/visibility_sheet.h"

namespace quillet::app {

using namespace quillet::ui;

TQuilletFrm::TQuilletFrm(TComponent* owner, std::string name) : TForm(owner, std::move(name)) {
  SetBorderStyle(BorderStyle::Single);
  SetMinimizeBox(true);
  SetMaximizeBox(false);
  SetPosition(FormPosition::ScreenCenter);
  SetClientSize(711, 569);
  SetCaption("Quillet");

  Image4 = &Make<TImage>(*this, this, "Image4", {0, 0, 713, 49});
  Image4->SetStretch(true);
  Image4->SetBitmap(dialogs::MakeSolidBitmap(RGB(255, 255, 255)));

  Icon = &Make<TImage>(*this, this, "Icon", {14, 10, 32, 32});
  Icon->SetTransparent(true);
  Icon->SetIconSource(dialogs::LoadProgramIcon, 32);
  Icon->OnDblClick = [this] { IconDblClick(); };

  title = &Make<TLabel>(*this, this, "title", {54, 11, 300, 13});
  title->SetFontBold(true);
  title->SetCaption("Quillet");

  cpr = &Make<TLabel>(*this, this, "cpr", {54, 25, 400, 13});
  cpr->SetCaption(dialogs::kCreditLine);

  lu = &Make<TLabel>(*this, this, "lu", {451, 11, 250, 13});
  lu->SetAlignment(Align::Right);
  lu->SetCaption(dialogs::kLastUpdated);
  lu->OnDblClick = [this] { Label11DblClick(); };

  Button62 = &Make<TButton>(*this, this, "Button62", {545, 25, 84, 19});
  Button62->SetCaption("About");
  Button62->OnClick = [this] { Button62Click(); };

  Button61 = &Make<TButton>(*this, this, "Button61", {630, 25, 71, 19});
  Button61->SetCaption("Donate");
  Button61->OnClick = [this] { Button61Click(); };

  PageControl1 = &Make<TPageControl>(*this, this, "PageControl1", {0, 49, 713, 520});
  TabSheet1 = &PageControl1->AddPage("TabSheet1", "Special Object Creator");
  TabSheet2 = &PageControl1->AddPage("TabSheet2", "Built in Special Object");
  TabSheet3 = &PageControl1->AddPage("TabSheet3", "Visibility Manager");
  TabSheet5 = &PageControl1->AddPage("TabSheet5", "Sheet [&4]");
  PageControl1->SetActivePage(TabSheet1);

  FICon = &Own<TOpenDialog>(this, "FICon");
  CPD = &Own<TOpenDialog>(this, "CPD");
  StartupMark("header made");
  ReadSkinComponent();
  StartupMark("skin read");

  // The pages are built now, as designed; start-up fills them. They need the program's folder
  // before start-up notes it, and it cannot differ.
  HandleNeeded();
  const std::string folder = ProgramFolderOf(CurrentPlatform().ProgramPath());
  // The page control's sheets in order, each with the page that fills it; each sheet owns its
  // page's controls.
  pages_.push_back(std::make_unique<creator::TCreatorSheet>(*TabSheet1, folder));
  pages_.push_back(std::make_unique<builtin::BuiltInSheet>(*TabSheet2, *TabSheet2));
  pages_.push_back(std::make_unique<visibility::VisibilitySheet>(*TabSheet3, *TabSheet3));
  pages_.push_back(std::make_unique<icons::IconsSheet>(*TabSheet5, *TabSheet5));
  StartupMark("pages made");
  JoinHistory(Handle());
  // The window is read: its skin component starts skinning the program's windows.
  SkinData1->Loaded();
  ApplySkinOptions();
}

void TQuilletFrm::ReadSkinComponent() {
  SkinData1 = &Own<skin::win32::TSkinData>(this, "SkinData1");
  SkinData1->SetActive(CurrentStartOptions().skin);
  SkinData1->DisableTag = 99;
  SkinData1->SkinFormtype = skin::sfMainform;
  SkinData1->MenuUpdate = true;
  SkinData1->MenuMerge = false;
  SkinData1->ReadSkinStream(skin::EmbeddedSkinStream());
}

void TQuilletFrm::ApplySkinOptions() {
  const std::string& file = CurrentStartOptions().skin_file;
  if (file.empty()) return;
  try {
    // A missing file is reported as any file the program cannot open.
    if (!CurrentPlatform().FileExists(file)) CurrentPlatform().ReadWholeFile(file);
    SkinData1->SetSkinFile(file);
  } catch (...) {
    Application().HandleException();
  }
}

TQuilletFrm::~TQuilletFrm() {
  // The further windows are owned components; they go with this one.
  further_.clear();
}

void TQuilletFrm::DoCreate() {
  try {
    FormCreate(this);
  } catch (...) {
    Application().HandleException();
  }
}

void TQuilletFrm::FormCreate(void* sender) { app::FormCreate(*this, sender, program_folder_); }

void TQuilletFrm::HideFourthTab() { TabSheet5->SetTabVisible(false); }

void TQuilletFrm::LoadClsidList(const std::string& file_content) {
  for (auto& p : pages_) p->LoadClsidList(file_content);
}
void TQuilletFrm::SetInfo() {
  for (auto& p : pages_) p->SetInfo();
}
void TQuilletFrm::ReadFirst() {
  for (auto& p : pages_) p->ReadFirst();
}
void TQuilletFrm::ReadCLSID() {
  for (auto& p : pages_) p->ReadCLSID();
}
void TQuilletFrm::OHideChange(void* sender) {
  for (auto& p : pages_) p->OHideChange(sender);
}

void TQuilletFrm::SetCreditLine(const std::string& text) { cpr->SetCaption(text); }

void TQuilletFrm::ShowDonationPrompt() { Button61Click(); }

void TQuilletFrm::IconDblClick() {
  // A full second main window on the same thread: it runs its own start-up, hides on close and
  // goes when this one goes.
  TQuilletFrm& other = Own<TQuilletFrm>(this, "QuilletFrm" + std::to_string(further_.size() + 1));
  other.SetOwnerWindow(this);
  further_.push_back(&other);
  other.DoCreate();
  other.Show();
}

void TQuilletFrm::Label11DblClick() { CurrentPlatform().ShellOpen(Handle(), program_folder_, SW_SHOW); }

void TQuilletFrm::Button61Click() { dialogs::ShowDonationPrompt(this, "Quillet", kDialogNumber); }

void TQuilletFrm::Button62Click() { dialogs::ShowAboutBox(this); }

void TQuilletFrm::WndProc(Message& m) {
  const unsigned command = static_cast<unsigned>(m.wparam & 0xFFF0);
  if (m.msg == WM_SYSCOMMAND &&
      (command == kUndoCommand || command == kRedoCommand || command == kOpenHistoryCommand)) {
    m.result = 0;
    return HistoryCommand(command);
  }
  if (m.msg == kHistoryWrittenMessage) {
    if (CurrentHistory()) CurrentHistory()->Collect();
    return;
  }
  if (m.msg == WM_DESTROY) LeaveHistory(HandleIfAny());
  TForm::WndProc(m);
  // Another window or program may have changed the history meanwhile.
  if (m.msg == WM_ACTIVATE && LOWORD(m.wparam) != WA_INACTIVE && CurrentHistory()) {
    CurrentHistory()->Rescan();
    UpdateHistoryMenus();
  }
}

void TQuilletFrm::HistoryCommand(unsigned command) {
  History* history = CurrentHistory();
  if (!history) return;
  if (command == kOpenHistoryCommand) {
    // The folder shown holds every change made so far.
    history->Flush();
    MakeFolders(history->Folder());
    CurrentPlatform().ShellOpen(Handle(), history->Folder(), SW_SHOW);
    return;
  }
  // The pages of this window show what the step changed, also when it stopped part-way.
  auto refresh = [&] {
    for (auto& p : pages_)
      if (auto* view = dynamic_cast<ChangeListener*>(p.get())) view->Refresh(history->LastKeys());
  };
  try {
    command == kUndoCommand ? history->Undo() : history->Redo();
  } catch (...) {
    refresh();
    throw;
  }
  refresh();
}

}  // namespace quillet::app
