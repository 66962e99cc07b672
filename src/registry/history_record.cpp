#include "registry/history_record.h"

#include <cstdio>
#include <cstring>

namespace quillet {

namespace {

constexpr char kHead[] = "REGEDIT4\r\n\r\n; Quillet history: ";
constexpr char kCheck[] = "; Quillet check ";
constexpr std::size_t kStampLength = 23;  // "2024-05-01 13.30.12.042"
constexpr std::size_t kTitleInName = 80;

std::uint32_t Fnv1a(const char* p, std::size_t n) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < n; ++i) h = (h ^ static_cast<std::uint8_t>(p[i])) * 16777619u;
  return h;
}

struct Civil {
  int year, month, day, hour, minute, second, milli;
};

// Days since 1970-01-01 and back, for the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

Civil CivilFromMs(std::int64_t ms) {
  std::int64_t days = ms / 86400000, rest = ms % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  const int r = static_cast<int>(rest);
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d), r / 3600000, r / 60000 % 60,
          r / 1000 % 60, r % 1000};
}

std::string StampText(std::int64_t utc_ms, char date_sep, char time_sep) {
  const Civil c = CivilFromMs(utc_ms);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d%c%02d%c%02d %02d%c%02d%c%02d.%03d", c.year, date_sep, c.month, date_sep,
                c.day, c.hour, time_sep, c.minute, time_sep, c.second, c.milli);
  return buf;
}

// Digits of a fixed width at `pos`, or -1.
int Digits(const std::string& s, std::size_t pos, std::size_t n) {
  int v = 0;
  for (std::size_t i = pos; i < pos + n; ++i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

}  // namespace

std::string OneLine(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return out;
}

std::string FormatHistoryRecord(const std::string& title, const std::string& lines, std::int64_t utc_ms) {
  std::string out = kHead;
  out += OneLine(title);
  out += "\r\n; Made ";
  out += StampText(utc_ms, '-', ':');
  out += " UTC. Importing this file with regedit takes the change back.\r\n\r\n";
  out += lines;
  char check[40];
  std::snprintf(check, sizeof check, "%s%08x\r\n", kCheck, static_cast<unsigned>(Fnv1a(out.data(), out.size())));
  out += check;
  return out;
}

bool IsHistoryRecordText(const std::string& bytes) { return bytes.compare(0, sizeof kHead - 1, kHead) == 0; }

std::optional<HistoryRecord> ReadHistoryRecord(const std::string& bytes) {
  const std::size_t head = sizeof kHead - 1;
  if (!IsHistoryRecordText(bytes)) return std::nullopt;
  // The check line is the last one; it covers every byte before it.
  const std::size_t check_length = sizeof kCheck - 1 + 8 + 2;
  if (bytes.size() < head + check_length) return std::nullopt;
  const std::size_t at = bytes.size() - check_length;
  if (bytes.compare(at, sizeof kCheck - 1, kCheck) != 0 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
    return std::nullopt;
  char expected[9];
  std::snprintf(expected, sizeof expected, "%08x", static_cast<unsigned>(Fnv1a(bytes.data(), at)));
  if (bytes.compare(at + sizeof kCheck - 1, 8, expected) != 0) return std::nullopt;

  HistoryRecord record;
  const std::size_t title_end = bytes.find("\r\n", head);
  record.title = bytes.substr(head, title_end - head);
  try {
    record.ops = ParseRegFile(bytes);
  } catch (const RegFileError&) {
    return std::nullopt;
  }
  return record;
}

std::string HistoryFileName(std::int64_t utc_ms, const std::string& title) {
  // What the file system takes in a name, spaces folded, cut to a length a folder view shows.
  std::string said;
  for (char c : OneLine(title)) {
    if (std::strchr("\\/:*?\"<>|", c)) continue;
    if (c == ' ' && (said.empty() || said.back() == ' ')) continue;
    said += c;
  }
  if (said.size() > kTitleInName) said.resize(kTitleInName);
  while (!said.empty() && (said.back() == ' ' || said.back() == '.')) said.pop_back();
  if (said.empty()) said = "Change";
  return StampText(utc_ms, '-', '.') + " " + said + ".reg";
}

std::optional<std::int64_t> HistoryFileTime(const std::string& name) {
  if (name.size() < kStampLength + 5 || name[kStampLength] != ' ' ||
      name.compare(name.size() - 4, 4, ".reg") != 0)
    return std::nullopt;
  static constexpr char kForm[] = "0000-00-00 00.00.00.000";
  for (std::size_t i = 0; i < kStampLength; ++i)
    if ((kForm[i] == '0') != (name[i] >= '0' && name[i] <= '9') || (kForm[i] != '0' && name[i] != kForm[i]))
      return std::nullopt;
  const int y = Digits(name, 0, 4), mo = Digits(name, 5, 2), d = Digits(name, 8, 2);
  const int h = Digits(name, 11, 2), mi = Digits(name, 14, 2), s = Digits(name, 17, 2), ms = Digits(name, 20, 3);
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60) return std::nullopt;
  return DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400000 +
         ((h * 60 + mi) * 60 + s) * std::int64_t{1000} + ms;
}

}  // namespace quillet
