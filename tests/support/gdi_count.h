#pragma once
// Counts the GDI objects a process holds, for leak checks in tests and benchmarks.
//
// Windows answers through GetGuiResources. Wine's answers 0, so there the count comes from the
// process's GDI handle table, whose address the PEB holds: 0x10000 entries of 24 bytes, an entry
// being in use when its type byte (offset 14) is non-zero.

#include <windows.h>

#include <cstddef>
#include <vector>

#include "support/process_peek.h"

namespace quillet::testing {

// The number of GDI objects `process` holds, or -1 when it cannot be read.
inline long GdiObjectCount(HANDLE process = GetCurrentProcess()) {
  if (DWORD n = GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<long>(n);
  constexpr std::size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
  std::vector<unsigned char> table(kEntries * kEntrySize);
  if (!ReadFrom(process, PebField(process, kPebGdiHandleTable), table.data(), table.size())) return -1;
  long live = 0;
  for (std::size_t i = 0; i < kEntries; ++i)
    if (table[i * kEntrySize + kTypeOffset] != 0) ++live;
  return live;
}

}  // namespace quillet::testing
