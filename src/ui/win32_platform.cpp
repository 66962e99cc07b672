// The platform services over the real Windows calls.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/platform.h"
#include "ui/subclass.h"

namespace quillet::ui {

namespace {

// The system's text for an error number, without its line break.
std::string FormatSystemError(DWORD code) {
  char* buf = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
  std::string text = n && buf ? std::string(buf, n) : std::string();
  if (buf) LocalFree(buf);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// The system's Yes / No box ignores Esc; the program's confirmation takes Esc as "No" and stands
// in the middle of the screen. A hook catches the box as it comes up to adjust both.
class ConfirmBox : public Subclass {
 public:
  ConfirmBox() : Subclass(Kind::ConfirmBox) {}

  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && asking_ && !asking_->Installed()) {
      HWND box = reinterpret_cast<HWND>(wp);
      char cls[16] = {};
      GetClassNameA(box, cls, sizeof cls);
      if (std::strcmp(cls, "#32770") == 0 && asking_->Install(box)) {
        RECT r, screen;
        GetWindowRect(box, &r);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
        SetWindowPos(box, nullptr, screen.left + (screen.right - screen.left - (r.right - r.left)) / 2,
                     screen.top + (screen.bottom - screen.top - (r.bottom - r.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  int Ask(const std::string& text, const std::string& caption) {
    // A hook's callback has no context of its own: it finds the question through this.
    asking_ = this;
    HHOOK hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION);
    if (hook) UnhookWindowsHookEx(hook);
    asking_ = nullptr;
    return answer;
  }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
      EndDialog(Hwnd(), IDNO);
      return 0;
    }
    return CallNext(msg, wp, lp);
  }

 private:
  static inline ConfirmBox* asking_ = nullptr;
};

// The shell and the common dialogs are loaded on first use: linking them in costs every start
// their loading, while most runs never open a file dialog or an address.
template <class Fn>
Fn Lookup(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) module = LoadLibraryA(dll);
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

class Win32Platform : public Platform {
 public:
  std::string ProgramPath() override {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
      DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
      if (n < buf.size()) return std::string(buf.data(), n);
      buf.resize(buf.size() * 2);
    }
  }

  bool FileExists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::string ReadWholeFile(const std::string& path) override {
    Handle f{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (f.h == INVALID_HANDLE_VALUE)
      throw std::runtime_error("Cannot open file \"" + path + "\". " + FormatSystemError(GetLastError()));
    std::string data;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f.h, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
    return data;
  }

  void WriteWholeFile(const std::string& path, const std::string& data) override {
    Handle f{CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (f.h == INVALID_HANDLE_VALUE)
      throw std::runtime_error("Cannot create file \"" + path + "\". " + FormatSystemError(GetLastError()));
    size_t done = 0;
    while (done < data.size()) {
      DWORD put = 0;
      constexpr size_t kMostPerWrite = size_t{1} << 20;
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, kMostPerWrite));
      if (!WriteFile(f.h, data.data() + done, chunk, &put, nullptr) || put == 0)
        throw std::runtime_error("Cannot create file \"" + path + "\". " + FormatSystemError(GetLastError()));
      done += put;
    }
  }

  bool RunAndWait(const std::string& command_line) override {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = command_line;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      last_error_ = GetLastError();
      return false;
    }
    Handle process{pi.hProcess}, thread{pi.hThread};
    WaitForSingleObject(pi.hProcess, INFINITE);
    return true;
  }

  std::uint32_t LastSystemError() override { return last_error_; }
  std::string SystemErrorText(std::uint32_t code) override { return FormatSystemError(code); }

  std::int64_t PerformanceCounter() override {
    LARGE_INTEGER v{};
    QueryPerformanceCounter(&v);
    return v.QuadPart;
  }

  std::uint32_t TickCount() override { return GetTickCount(); }

  void ShellOpen(void* owner, const std::string& file, int show_command) override {
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const Fn shell_execute = Lookup<Fn>("shell32.dll", "ShellExecuteA");
    if (shell_execute) shell_execute(static_cast<HWND>(owner), nullptr, file.c_str(), nullptr, nullptr, show_command);
  }

  void* ExtractFileIcon(const std::string& path, int index) override {
    using Fn = HICON(WINAPI*)(HINSTANCE, LPCSTR, UINT);
    static const Fn extract_icon = Lookup<Fn>("shell32.dll", "ExtractIconA");
    if (!extract_icon) return nullptr;
    HICON icon = extract_icon(nullptr, path.c_str(), static_cast<UINT>(index));
    // ExtractIconA answers 1 for "not an icon file"; that is no icon either.
    if (reinterpret_cast<std::uintptr_t>(icon) <= 1) return nullptr;
    return icon;
  }

  void DestroyIconHandle(void* icon) override {
    if (icon) DestroyIcon(static_cast<HICON>(icon));
  }

  void SetClipboardText(const std::string& text) override {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (mem) {
      if (void* p = GlobalLock(mem)) {
        memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
      } else {
        GlobalFree(mem);
      }
    }
    CloseClipboard();
  }

  bool OpenFileDialog(void* owner, const FileDialogOptions& o, std::string& chosen) override {
    // "Text|*.ext|Other|*.*" becomes the dialog's NUL-separated pairs.
    std::string filter = o.filter;
    for (char& c : filter)
      if (c == '|') c = '\0';
    filter.append(2, '\0');
    constexpr size_t kFileNameRoom = 32768;  // the longest path the system takes
    std::vector<char> file(kFileNameRoom, '\0');
    o.file_name.copy(file.data(), file.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(owner);
    ofn.lpstrFilter = o.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(o.filter_index);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = o.initial_dir.empty() ? nullptr : o.initial_dir.c_str();
    ofn.lpstrTitle = o.title.empty() ? nullptr : o.title.c_str();
    ofn.lpstrDefExt = o.default_ext.empty() ? nullptr : o.default_ext.c_str();
    ofn.Flags = o.flags | OFN_EXPLORER;
    using Fn = BOOL(WINAPI*)(LPOPENFILENAMEA);
    static const Fn get_open_file_name = Lookup<Fn>("comdlg32.dll", "GetOpenFileNameA");
    if (!get_open_file_name || !get_open_file_name(&ofn)) return false;
    chosen = file.data();
    return true;
  }

  Confirmation Confirm(const std::string& text, const std::string& caption) override {
    ConfirmBox box;
    return box.Ask(text, caption) == IDYES ? Confirmation::Yes : Confirmation::No;
  }

 private:
  std::uint32_t last_error_ = 0;
};

}  // namespace

Platform& BuiltInPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace quillet::ui
