// The .reg reader on any bytes. A file it loads is saved, and the saved text must load back to
// the same tree; the tree is also walked through HKEY_CLASSES_ROOT, where both hives merge. The
// bytes read from a file in small pieces must mean what they mean as one text. The same bytes go
// through the history's reading of a record, which uses that reader.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "registry/memory_backend.h"
#include "registry/history_record.h"
#include "registry/reg_file.h"

using namespace quillet;

namespace {

void Walk(MemoryBackend& b, RegHandle key, int depth) {
  RegKeyInfo info;
  if (depth > 8 || b.QueryInfo(key, &info) != kOk) return;
  std::string name;
  for (std::uint32_t i = 0; b.EnumValue(key, i, &name) == kOk; ++i) {
    std::uint32_t type = 0, size = 0;
    std::vector<std::uint8_t> data;
    if (b.QueryValue(key, name, &type, &data, &size) != kOk || data.size() != size) std::abort();
  }
  for (std::uint32_t i = 0; i < info.subkeys && b.EnumKey(key, i, &name) == kOk; ++i) {
    RegHandle child = 0;
    if (b.OpenKey(key, name, kAccessRead, &child) != kOk) std::abort();
    Walk(b, child, depth + 1);
    b.CloseKey(child);
  }
}

// The steps of a parse, written out, or the line it refused.
class Steps : public RegTextSink {
 public:
  void Key(RegRoot root, std::string_view path, int line) override { Add('k', root, path, line); }
  void DeleteKey(RegRoot root, std::string_view path, int line) override { Add('d', root, path, line); }
  void Value(std::string_view name, std::uint32_t type, std::string_view data, int line) override {
    Add('v', type, std::string(name) + '=' + std::string(data), line);
  }
  void DeleteValue(std::string_view name, int line) override { Add('r', 0, name, line); }
  std::string text;

 private:
  void Add(char what, std::uintptr_t n, std::string_view s, int line) {
    text += what + std::to_string(n) + '[' + std::string(s) + ']' + std::to_string(line) + '\n';
  }
};

template <typename Parse>
std::string StepsOf(Parse parse) {
  Steps steps;
  try {
    return steps.text + (parse(steps).value_continues ? "+" : ".");
  } catch (const RegFileError& e) {
    return steps.text + e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (const auto record = ReadHistoryRecord(bytes)) {
    // Taken only whole: its title is one line, and it holds the steps the reader finds in it.
    if (record->title.find_first_of("\r\n") != std::string::npos || ParseRegFile(bytes).size() != record->ops.size())
      std::abort();
  }
  static const std::string file = "/tmp/quillet-regfile-fuzz-" + std::to_string(getpid()) + ".reg";
  static const int removed_at_exit = std::atexit([] { std::remove(file.c_str()); });
  (void)removed_at_exit;
  if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    std::FILE* in = std::fopen(file.c_str(), "rb");
    const std::size_t piece = 1 + (size ? data[size - 1] % 40 : 0);
    const std::string pieces = StepsOf([&](RegTextSink& s) { return ParseRegFile(in, size, s, piece); });
    std::fclose(in);
    if (pieces != StepsOf([&](RegTextSink& s) { return ParseRegText(bytes, s); })) std::abort();
  }

  MemoryBackend loaded;
  try {
    loaded.ImportRegText(bytes);
  } catch (const RegFileError&) {
    return 0;
  }
  const std::string saved = loaded.ExportRegText();
  MemoryBackend again;
  again.ImportRegText(saved);  // a refusal of our own text escapes and is reported
  if (again.ExportRegText() != saved) std::abort();
  Walk(loaded, kClassesRoot, 0);
  return 0;
}
