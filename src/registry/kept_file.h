#pragma once
// The .reg file a memory registry is kept in: read whole, and changes added at its end so that a
// save after one change does not write a large file again.
//
// A change is whole .reg lines (CR LF each, no value going on over a second line), added in two
// steps so that a file cut short by a kill at any moment keeps what it held before:
//  1. the lines go at the end with the first character of each made ";", which makes them
//     comments, followed by a closing line ";~change <size> <base> <check> <check>";
//  2. the lines are written again over the first, with their own first characters, in one write
//     call.
// Cut in step 1, the file ends in comments. A kill does not stop a write call half-way into the
// system's file cache (Linux stops one only where it crosses a page boundary of the file, which a
// change of up to a page is placed not to cross), so it leaves the change all comments or all
// lines, and regedit imports the whole change or none of it. Step 2 is torn only by a power loss
// or a full disk, or a kill on Linux during a change longer than a page, leaving the first lines
// made; ReadKeptFile then finds the change's check failing and leaves the change out, so that the
// program's own load sees the file as it was before the change.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "registry/reg_file.h"

namespace quillet {

struct KeptFile {
  bool exists = false;
  std::uint64_t size = 0;  // in bytes
  std::uint64_t base = 0;  // how much of it was written whole, before the changes at its end
  // It takes changes at its end: it is 8-bit REGEDIT4 text ending with a line that nothing
  // before it goes on to, with no change cut short.
  bool appendable = false;
};

// Hands the file's steps to the sink, less a change cut short. A file that does not exist gives
// nothing; one that cannot be parsed raises RegFileError.
KeptFile ReadKeptFile(const std::string& path, RegTextSink& sink);

// Adds `lines` at the end of the file, which must be as ReadKeptFile or the last change left it.
// Returns its new size. Raises std::runtime_error when the file cannot be written or is not that
// size.
std::uint64_t AppendKeptChange(const std::string& path, const KeptFile& file, std::string_view lines);

// One write call into the file: `bytes` at offset `at`; false when not all of them went.
using KeptFileWrite = std::function<bool(std::uint64_t at, std::string_view bytes)>;
// The two steps as calls of `write`, one for each, on a file of file.size bytes. Raises
// std::runtime_error when a write fails.
std::uint64_t AppendKeptChange(const KeptFileWrite& write, const KeptFile& file, std::string_view lines);

}  // namespace quillet
