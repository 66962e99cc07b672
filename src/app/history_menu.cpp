#include "app/history_menu.h"

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "app/history_texts.h"
#include "registry/history.h"
#include "ui/forms.h"

namespace quillet::app {

namespace {

std::vector<HWND>& Windows() {
  static std::vector<HWND> windows;
  return windows;
}

HHOOK g_keys = nullptr;
// The window the writer thread posts to; the only state it shares with this thread.
std::atomic<HWND> g_told{nullptr};

bool IsTextField(HWND h) {
  return (SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
}

// Sees every message the thread takes from its queue, the modal loops' included.
LRESULT CALLBACK KeyHook(int code, WPARAM how, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && how == PM_REMOVE && msg->message == WM_KEYDOWN &&
      (msg->wParam == 'Z' || msg->wParam == 'Y')) {
    const HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    const auto& windows = Windows();
    if (std::find(windows.begin(), windows.end(), root) != windows.end() && IsWindowEnabled(root)) {
      const HistoryKey key = HistoryKeyOf(static_cast<unsigned>(msg->wParam), GetKeyState(VK_CONTROL) < 0,
                                          GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0,
                                          IsTextField(msg->hwnd));
      if (key != HistoryKey::None) {
        PostMessageA(root, WM_SYSCOMMAND, key == HistoryKey::Undo ? kUndoCommand : kRedoCommand, 0);
        msg->message = WM_NULL;
      }
    }
  }
  return CallNextHookEx(g_keys, code, how, lp);
}

void SetItem(HMENU menu, unsigned id, const std::string& text, bool enabled) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_STATE;
  item.dwTypeData = const_cast<char*>(text.c_str());
  item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
  SetMenuItemInfoA(menu, id, FALSE, &item);
}

void UpdateItems(HWND window, History* history) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  const std::string undo = history ? history->UndoTitle() : std::string();
  const std::string redo = history ? history->RedoTitle() : std::string();
  SetItem(menu, kUndoCommand, UndoItemText(undo), !undo.empty());
  SetItem(menu, kRedoCommand, RedoItemText(redo), !redo.empty());
  SetItem(menu, kOpenHistoryCommand, kOpenHistoryItemText, history != nullptr);
}

}  // namespace

std::string LocalHistoryFolder() {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return std::string(path) + "\\Quillet\\History";
}

void JoinHistory(HWND window) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (menu) {
    // Before "Close", which stays last, with a line between.
    int at = GetMenuItemCount(menu);
    for (int i = 0; i < at; ++i)
      if (GetMenuItemID(menu, i) == SC_CLOSE) at = i;
    InsertMenuA(menu, at, MF_BYPOSITION | MF_STRING, kUndoCommand, "");
    InsertMenuA(menu, at + 1, MF_BYPOSITION | MF_STRING, kRedoCommand, "");
    InsertMenuA(menu, at + 2, MF_BYPOSITION | MF_STRING, kOpenHistoryCommand, "");
    InsertMenuA(menu, at + 3, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  }
  Windows().push_back(window);
  g_told = Windows().front();
  // Whatever was written before there was a window to tell.
  PostHistoryWritten();
  if (!g_keys) g_keys = SetWindowsHookExA(WH_GETMESSAGE, KeyHook, nullptr, GetCurrentThreadId());
  UpdateItems(window, CurrentHistory());
}

void LeaveHistory(HWND window) {
  auto& windows = Windows();
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
  g_told = windows.empty() ? nullptr : windows.front();
  if (windows.empty() && g_keys) {
    UnhookWindowsHookEx(g_keys);
    g_keys = nullptr;
  }
}

void UpdateHistoryMenus() {
  for (HWND window : Windows()) UpdateItems(window, CurrentHistory());
}

void PostHistoryWritten() {
  if (const HWND window = g_told) PostMessageA(window, kHistoryWrittenMessage, 0, 0);
}

void TellUnrecorded(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), ui::Application().Title().c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace quillet::app
