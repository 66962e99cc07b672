#include "creator/clsid_list.h"

#include <algorithm>

namespace quillet::creator {

std::vector<std::string> ParseClsidList(const std::string& content) {
  std::vector<std::string> lines;
  const std::size_t end = std::min(content.find('\0'), content.size());
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < end) {
    const char c = content[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(content.substr(start, i - start));
      ++i;
      if (c == '\r' && i < end && content[i] == '\n') ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < end) lines.push_back(content.substr(start, end - start));
  return lines;
}

std::string FormatClsidList(const std::vector<std::string>& entries) {
  std::string out;
  for (const auto& e : entries) {
    out += e;
    out += "\r\n";
  }
  return out;
}

std::string FolderOf(const std::string& path) {
  const auto pos = path.find_last_of("\\/:");
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::uint32_t Lcg::Below(std::uint32_t n) {
  state_ = state_ * 134775813u + 1u;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * n) >> 32);
}

std::string RandomClsid(Lcg& random) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  static constexpr int kGroups[] = {8, 4, 4, 4, 12};
  std::string out = "{";
  for (int g = 0; g < 5; ++g) {
    if (g > 0) out += '-';
    for (int i = 0; i < kGroups[g]; ++i) out += kDigits[random.Below(16)];
  }
  out += '}';
  return out;
}

std::string TrimBlank(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

}  // namespace quillet::creator
