#pragma once
// A platform for tests: real files in a temporary folder, everything else recorded and scripted.

#include <chrono>
#include <cstdint>
#include <random>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace quillet::testing {

class FakePlatform : public ui::Platform {
 public:
  FakePlatform() {
    static int counter = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("quillet-test-" + UniqueTag() + "-" + std::to_string(++counter));
    std::filesystem::create_directories(folder_);
    program_path_ = (folder_ / "quillet.exe").string();
  }
  ~FakePlatform() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  std::string ProgramPath() override { return program_path_; }
  bool FileExists(const std::string& path) override { return std::filesystem::exists(path); }
  std::string ReadWholeFile(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in || fail_reads_) throw std::runtime_error("Cannot open file \"" + path + "\". Access is denied");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void WriteWholeFile(const std::string& path, const std::string& data) override {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || fail_writes_) throw std::runtime_error("Cannot create file \"" + path + "\". Access is denied");
    out << data;
  }
  bool RunAndWait(const std::string& command_line) override {
    commands_.push_back(command_line);
    return run_result_;
  }
  std::uint32_t LastSystemError() override { return last_error_; }
  std::string SystemErrorText(std::uint32_t code) override {
    return code == 2 ? "The system cannot find the file specified." : "Unknown error.";
  }
  std::int64_t PerformanceCounter() override { return counter_; }
  std::uint32_t TickCount() override { return ticks_; }
  void ShellOpen(void*, const std::string& file, int show) override {
    opened_.push_back(file);
    show_commands_.push_back(show);
  }
  void* ExtractFileIcon(const std::string& path, int index) override {
    extracted_.push_back(path + "," + std::to_string(index));
    return icon_result_;
  }
  void DestroyIconHandle(void* icon) override { destroyed_.push_back(icon); }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  bool OpenFileDialog(void*, const ui::FileDialogOptions& options, std::string& chosen) override {
    dialogs_.push_back(options);
    if (dialog_answers_.empty()) return false;
    chosen = dialog_answers_.front();
    dialog_answers_.pop_front();
    return !chosen.empty();
  }
  ui::Confirmation Confirm(const std::string& text, const std::string& caption) override {
    confirmations_.push_back(caption + "|" + text);
    return confirm_answer_;
  }

  std::string Folder() const { return folder_.string(); }

  // Test programs run side by side, and a pointer or a counter alone can repeat between them.
  static std::string UniqueTag() {
    std::random_device rd;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(rd()) + "-" + std::to_string(rd()) + "-" + std::to_string(now);
  }

  // Scripted answers and records.
  std::filesystem::path folder_;
  std::string program_path_;
  bool fail_reads_ = false, fail_writes_ = false, run_result_ = true;
  std::int64_t counter_ = 0;
  std::uint32_t ticks_ = 0;
  std::uint32_t last_error_ = 0;
  void* icon_result_ = nullptr;
  std::deque<std::string> dialog_answers_;  // an empty answer cancels
  ui::Confirmation confirm_answer_ = ui::Confirmation::Yes;
  std::vector<std::string> commands_, opened_, extracted_, confirmations_;
  std::vector<int> show_commands_;
  std::vector<void*> destroyed_;
  std::vector<ui::FileDialogOptions> dialogs_;
  std::string clipboard_;

};

// Puts a fake platform in place for one test.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(ui::Platform& p) { ui::SetCurrentPlatform(&p); }
  ~ScopedPlatform() { ui::SetCurrentPlatform(nullptr); }
};

}  // namespace quillet::testing
