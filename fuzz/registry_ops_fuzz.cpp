// Any sequence of registry calls on the memory registry, through HKEY_CLASSES_ROOT and the two
// hives behind it, with handles kept across removals, on a tree loaded from a file it is kept in.
// Nothing may crash or leak; the file, its changes saved at its end, must load to the tree left,
// which must save and load back to the same.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "registry/memory_backend.h"
#include "registry/reg_file.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const char* const kPaths[] = {"",  "A", "a\\B", "A\\b\\C", "Software\\Classes", "Software\\Classes\\A",
                                       "Software\\Classes\\a\\B", "CLSID\\{X}", "Software\\Classes\\CLSID\\{x}"};
  static const RegRoot kRoots[] = {kClassesRoot, kCurrentUser, kLocalMachine};
  static const std::string file = "/tmp/quillet-ops-fuzz-" + std::to_string(getpid()) + ".reg";
  static const int removed_at_exit = std::atexit([] { std::remove(file.c_str()); });
  (void)removed_at_exit;
  std::remove(file.c_str());
  MemoryBackend b;
  b.SetWholeSaveLimit(0);
  b.BindFile(file);
  b.ImportRegText(
      "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\A\\b]\r\n\"a\"=\"1\"\r\n"
      "[HKEY_CURRENT_USER\\A\\B\\c]\r\n@=\"x\"\r\n\"b\"=dword:00000002\r\n");
  b.Commit();
  std::vector<RegHandle> handles(kRoots, kRoots + 3);
  size_t i = 0;
  auto next = [&] { return i < size ? data[i++] : std::uint8_t{0}; };
  while (i < size) {
    const std::uint8_t op = next();
    const RegHandle h = handles[next() % handles.size()];
    const std::string path = kPaths[next() % (sizeof kPaths / sizeof *kPaths)];
    const std::string name(1, static_cast<char>('a' + next() % 3));
    RegHandle out = 0;
    std::string text;
    switch (op % 10) {
      case 0: if (b.OpenKey(h, path, next() % 2 ? kAccessAll : kAccessRead, &out) == kOk) handles.push_back(out); break;
      case 1: if (b.CreateKey(h, path, kAccessAll, &out) == kOk) handles.push_back(out); break;
      case 2: b.DeleteKey(h, path); break;
      case 3: {
        const std::uint8_t v[2] = {next(), 0};
        b.SetValue(h, name, kTypeSz, v, 2);
        break;
      }
      case 4: b.DeleteValue(h, name); break;
      case 5: {
        RegKeyInfo info;
        if (b.QueryInfo(h, &info) == kOk) {
          for (std::uint32_t k = 0; k < info.subkeys; ++k)
            if (b.EnumKey(h, k, &text) != kOk) std::abort();
          for (std::uint32_t k = 0; k < info.values; ++k)
            if (b.EnumValue(h, k, &text) != kOk) std::abort();
        }
        break;
      }
      case 6: {
        std::uint32_t type = 0, n = 0;
        std::vector<std::uint8_t> bytes;
        if (b.QueryValue(h, name, &type, &bytes, &n) == kOk && bytes.size() != n) std::abort();
        break;
      }
      case 7: b.CloseKey(h); break;
      case 8: b.SetMachineReadOnly(next() % 2); break;
      default: b.Commit(); break;
    }
  }
  b.SetMachineReadOnly(false);
  b.Commit();
  const std::string saved = b.ExportRegText();
  MemoryBackend kept;
  kept.BindFile(file);
  if (kept.ExportRegText() != saved) std::abort();
  MemoryBackend again;
  again.ImportRegText(saved);
  if (again.ExportRegText() != saved) std::abort();
  return 0;
}
