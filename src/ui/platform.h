#pragma once
// What the pages need of the system, behind one small interface. The Windows build implements it
// with the real calls; tests use a fake over real temporary files.

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::ui {

struct FileDialogOptions {
  std::string title;
  std::string filter;        // "Text|*.ext|Other|*.*" pairs, as the dialog lists them
  int filter_index = 1;
  std::string initial_dir;
  std::string file_name;     // initial name
  std::string default_ext;
  std::uint32_t flags = 0;   // OFN_* flags
};

enum class Confirmation { Yes, No };

class Platform {
 public:
  virtual ~Platform() = default;
  virtual std::string ProgramPath() = 0;     // full path of the running executable
  virtual bool FileExists(const std::string& path) = 0;
  // Whole-file read and write; failures raise the file layer's messages
  // ("Cannot open file "%s". %s", "Cannot create file "%s". %s").
  virtual std::string ReadWholeFile(const std::string& path) = 0;
  virtual void WriteWholeFile(const std::string& path, const std::string& data) = 0;
  // Starts a command line and waits until it ends; false when it could not start.
  virtual bool RunAndWait(const std::string& command_line) = 0;
  // Why RunAndWait could not start the program (GetLastError on Windows), and the system's text
  // for such a number.
  virtual std::uint32_t LastSystemError() { return 0; }
  virtual std::string SystemErrorText(std::uint32_t /*code*/) { return {}; }
  virtual std::int64_t PerformanceCounter() = 0;
  virtual std::uint32_t TickCount() = 0;
  virtual void ShellOpen(void* owner, const std::string& file, int show_command) = 0;
  // An icon taken out of a file by index (an HICON on Windows), 0 when there is none.
  virtual void* ExtractFileIcon(const std::string& path, int index) = 0;
  virtual void DestroyIconHandle(void* icon) = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // True with the chosen path when the user picked a file.
  virtual bool OpenFileDialog(void* owner, const FileDialogOptions& options, std::string& chosen) = 0;
  virtual Confirmation Confirm(const std::string& text, const std::string& caption) = 0;
};

// The platform the running program uses; tests put a fake in place.
Platform& CurrentPlatform();
void SetCurrentPlatform(Platform* platform);  // null restores the built-in one

}  // namespace quillet::ui
