// The skin gallery inside one program: every windowed control in it is skinned, the skin files
// it is given are checked, and opening and closing it leaves the GDI object count where it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gallery.h"
#include "ui/popup_menu.h"
#include "support/gdi_count.h"
#include "support/skin_run.h"

namespace quillet::gallery {
namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::HandlePending;
using ::quillet::testing::PumpUntil;

std::string ClassOf(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

std::vector<HWND> VisibleDescendants(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM p) {
        if (IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

// A hidden form holding the gallery's skin, as the gallery program's window does; galleries
// come and go under it.
struct Host {
  ui::TForm form{nullptr, "Host"};
  skin::win32::TSkinData* data = nullptr;
  Host() {
    data = &MakeGallerySkin(form, "");
    data->Loaded();
  }
};

std::unique_ptr<TGalleryForm> OpenGallery() {
  auto g = std::make_unique<TGalleryForm>(nullptr);
  g->Show();
  PumpUntil([&] { return AnswersSkinned(g->Handle()); });
  HandlePending();
  return g;
}

TEST(Gallery, EveryWindowedControlIsSkinned) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  Host host;
  auto g = OpenGallery();
  ASSERT_TRUE(AnswersSkinned(g->Handle()));
  const auto children = VisibleDescendants(g->Handle());
  ASSERT_GT(children.size(), 40u);
  for (HWND h : children) {
    // The edit inside a combo box is drawn by the combo box's skin.
    const std::string cls = ClassOf(h);
    if (cls == "Edit" && ClassOf(GetParent(h)) == "TComboBox") continue;
    char text[80] = {};
    GetWindowTextA(h, text, sizeof text);
    EXPECT_TRUE(PumpUntil([&] { return AnswersSkinned(h); })) << cls << " \"" << text << "\"";
  }
}

// Whether every item of the open popup menu is owner-drawn; then closes it.
int g_owner_drawn = -1;
void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND w = FindWindowA("#32768", nullptr);
  if (!w || !IsWindowVisible(w)) return;
  KillTimer(nullptr, id);
  HMENU m = reinterpret_cast<HMENU>(SendMessageA(w, MN_GETHMENU, 0, 0));
  g_owner_drawn = 1;
  for (int i = 0; i < GetMenuItemCount(m); ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(m, static_cast<UINT>(i), TRUE, &mii);
    if (!(mii.fType & MFT_OWNERDRAW)) g_owner_drawn = 0;
  }
  EndMenu();
}

TEST(Gallery, PopupMenusAreDrawnByTheSkinOnlyWhenItSkinsThem) {
  Host host;
  auto g = OpenGallery();
  auto* popup = dynamic_cast<ui::TPopupMenu*>(g->FindComponent("PopupMenu1"));
  ASSERT_NE(popup, nullptr);
  for (bool skinned : {true, false, true}) {
    if (skinned) host.data->SkinControls.Include(skin::xcPopupMenu);
    else host.data->SkinControls.Exclude(skin::xcPopupMenu);
    g_owner_drawn = -1;
    SetForegroundWindow(g->Handle());
    SetTimer(nullptr, 0, 50, LookAtMenu);
    popup->Popup(200, 200);
    EXPECT_EQ(g_owner_drawn, skinned ? 1 : 0) << "skinned " << skinned;
  }
}

TEST(Gallery, ASkinFileThatIsNotOneIsRefused) {
  ui::TForm form{nullptr, "Host"};
  EXPECT_THROW(MakeGallerySkin(form, "C:\\no such folder\\none.skin"), std::exception);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string junk = std::string(temp) + "gallery-not-a-skin.skn";
  HANDLE f = CreateFileA(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "not a skin at all", 17, &written, nullptr);
  CloseHandle(f);
  ui::TForm form2{nullptr, "Host2"};
  EXPECT_THROW(MakeGallerySkin(form2, junk), std::exception);
  DeleteFileA(junk.c_str());
}

TEST(Gallery, OpeningAndClosingKeepsGdiObjectsFlat) {
  Host host;
  for (int i = 0; i < 3; ++i) OpenGallery().reset();
  HandlePending();
  const long before = testing::GdiObjectCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 15; ++i) OpenGallery().reset();
  EXPECT_TRUE(PumpUntil([&] { return testing::GdiObjectCount() <= before + 2; })) << testing::GdiObjectCount();
}

}  // namespace
}  // namespace quillet::gallery
