#include "skin/quick_ini.h"

#include <algorithm>
#include <cstring>

#include "skin/text.h"

namespace quillet::skin {

void TQuickIni::Load(const std::uint8_t* data, std::size_t size) {
  lines_.clear();
  headers_.clear();
  const void* nul = size ? std::memchr(data, 0, size) : nullptr;
  const std::size_t n = nul ? static_cast<const std::uint8_t*>(nul) - data : size;
  for (const std::string& raw : SplitLines(std::string_view(reinterpret_cast<const char*>(data), n))) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
      headers_.push_back({line, lines_.size()});
    lines_.push_back(std::move(line));
  }
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
  const std::string header = "[" + section + "]";
  for (std::size_t h = 0; h < headers_.size(); ++h) {
    if (!EqualNoCase(headers_[h].line, header)) continue;
    const std::size_t end = h + 1 < headers_.size() ? headers_[h + 1].index : lines_.size();
    const std::string wanted = AsciiLower(key);
    for (std::size_t i = headers_[h].index + 1; i < end; ++i) {
      const std::string& line = lines_[i];
      const std::size_t eq = line.find('=');
      const std::string lineKey = eq == std::string::npos ? std::string() : AsciiLower(Trim(std::string_view(line).substr(0, eq)));
      if (lineKey != wanted) continue;
      std::string value = eq == std::string::npos ? std::string() : Trim(std::string_view(line).substr(eq + 1));
      return value.empty() ? def : value;
    }
    return def;
  }
  return def;
}

bool ParseSkinInteger(const std::string& text, std::int32_t& value) {
  auto hex = [&](std::size_t from, bool negative) {
    if (from >= text.size() || text.size() - from > 8) return false;
    std::uint32_t v = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
      const char c = text[i];
      int d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else return false;
      v = v * 16 + d;
    }
    // Eight hex digits cover the whole 32 bits, so "$FFFFFFFF" is -1.
    value = static_cast<std::int32_t>(negative ? 0u - v : v);
    return true;
  };
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return hex(2, false);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i < text.size() && text[i] == '$') return hex(i + 1, negative);
  if (i >= text.size()) return false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

std::int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key,
                                    std::int32_t def) const {
  std::int32_t v;
  return ParseSkinInteger(ReadString(section, key, ""), v) ? v : def;
}

std::vector<std::string> TQuickIni::Sections() const {
  std::vector<std::string> out;
  for (const Header& h : headers_) out.push_back(Trim(std::string_view(h.line).substr(1, h.line.size() - 2)));
  return out;
}

std::uint32_t ParseColorText(const std::string& text) {
  int part[3] = {0, 0, 0};
  int n = 0;
  std::size_t i = 0;
  while (n < 3 && i < text.size()) {
    while (i < text.size() && (text[i] < '0' || text[i] > '9')) ++i;
    if (i >= text.size()) break;
    int v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      v = std::min(v * 10 + (text[i] - '0'), 1000);
      ++i;
    }
    part[n++] = std::min(v, 255);
  }
  return static_cast<std::uint32_t>(part[0] | (part[1] << 8) | (part[2] << 16));
}

}  // namespace quillet::skin
