#pragma once
// One record of the change history: a REGEDIT4 file that regedit imports on its own and that puts
// back what one action changed. A comment at its top names the change; a check line at its end
// tells a whole record of ours from one cut short, edited or written by someone else.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/reg_file.h"

namespace quillet {

struct HistoryRecord {
  std::string title;           // the action and its object: "Create / Save {...}"
  std::vector<RegFileOp> ops;  // what taking it back does, in file order
};

// The record's text around `lines` (key and value lines in .reg form); `utc_ms` is when it was made.
std::string FormatHistoryRecord(const std::string& title, const std::string& lines, std::int64_t utc_ms);
// The record in `bytes`, read through the .reg reader; nothing for text that is not a whole
// record of ours.
std::optional<HistoryRecord> ReadHistoryRecord(const std::string& bytes);

// Whether the text begins as our records do, whole or not.
bool IsHistoryRecordText(const std::string& bytes);

// A record's file name: the time it was made (UTC, to the millisecond), which sorts the records,
// then the change, "2024-05-01 13.30.12.042 Create Save {...}.reg".
std::string HistoryFileName(std::int64_t utc_ms, const std::string& title);
// The time in a file name of ours; nothing for any other name.
std::optional<std::int64_t> HistoryFileTime(const std::string& file_name);

// A title as one line of text: control characters become spaces.
std::string OneLine(const std::string& text);

}  // namespace quillet
