// Prints the display name of every item the shell enumerates on the desktop, one per line: the
// end-to-end test reads it from a process of its own, so no shell state is cached between steps.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>

int main() {
  if (FAILED(CoInitialize(nullptr))) return 2;
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return 3;
  IEnumIDList* items = nullptr;
  const HRESULT hr = desktop->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items);
  if (FAILED(hr) || !items) return 4;
  LPITEMIDLIST pidl = nullptr;
  while (items->Next(1, &pidl, nullptr) == S_OK) {
    STRRET name{};
    if (SUCCEEDED(desktop->GetDisplayNameOf(pidl, SHGDN_NORMAL, &name))) {
      char text[MAX_PATH] = {};
      StrRetToBufA(&name, pidl, text, sizeof text);
      std::printf("%s\n", text);
    }
    CoTaskMemFree(pidl);
  }
  items->Release();
  desktop->Release();
  CoUninitialize();
  return 0;
}
