// The .reg reader on any bytes. A file it loads is saved, and the saved text must load back to
// the same tree; the tree is also walked through HKEY_CLASSES_ROOT, where both hives merge.
#include <cstdlib>
#include <string>

#include "registry/memory_backend.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryBackend loaded;
  try {
    loaded.ImportRegText(std::string(reinterpret_cast<const char*>(data), size));
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
