// The baselines for the start-up benchmark: a bare Win32 program that opens one empty window of the
// main window's size and paints it; built as the "floor" (FLOOR_WINDOW) it also carries what any
// program with Quillet's platform needs pays before its first paint: the common controls 6
// manifest, the same imported libraries, the common control classes registered as Quillet does,
// and one tab control where the pages go.
#include <windows.h>

#ifdef FLOOR_WINDOW
#include <commctrl.h>
#include <shlobj.h>
#endif

namespace {
LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

#ifdef FLOOR_WINDOW
// Referenced, never called: the loader maps these libraries at start as it does for Quillet.
[[maybe_unused]] void* volatile imports[] = {reinterpret_cast<void*>(&RegCloseKey),
                                             reinterpret_cast<void*>(&SHGetFolderPathA),
                                             reinterpret_cast<void*>(&SetWindowSubclass)};
#endif
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef FLOOR_WINDOW
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  const char* const kClass = "FloorWindow";
#else
  const char* const kClass = "BareWindow";
#endif
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  RegisterClassA(&wc);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, 711, 569};
  AdjustWindowRect(&r, style, FALSE);
  HWND h = CreateWindowA(kClass, "Bare", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                         r.bottom - r.top, nullptr, nullptr, instance, nullptr);
#ifdef FLOOR_WINDOW
  HWND tab = CreateWindowA(WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 49, 713, 520, h,
                           nullptr, instance, nullptr);
  const char* const kTabs[] = {"Special Object Creator", "Built in Special Object", "Visibility Manager"};
  for (int i = 0; i < 3; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kTabs[i]);
    SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
#endif
  ShowWindow(h, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
