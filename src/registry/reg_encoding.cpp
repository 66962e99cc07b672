#include "registry/reg_encoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillet {

// UTF-16 text as the program's 8-bit calls see it: in the ANSI code page, "?" for what it lacks.
#ifdef _WIN32
std::string NarrowWide(const std::u16string& wide) {
  if (wide.empty()) return {};
  const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
  const int n = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, w, n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, w, n, out.data(), size, nullptr, nullptr);
  return out;
}
#else
// Windows-1252, the code page the program's texts are made in.
static char NarrowCodeUnit(char16_t c) {
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

std::string NarrowWide(const std::u16string& wide) {
  std::string out;
  out.reserve(wide.size());
  for (char16_t c : wide) out += NarrowCodeUnit(c);
  return out;
}
#endif

// Little-endian code units; an odd last byte is not a character and is dropped.
#ifdef _WIN32
static std::u16string WideFromBytes(const std::uint8_t* p, size_t bytes) {
  std::u16string out(bytes / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(p[2 * i] | (unsigned{p[2 * i + 1]} << 8));
  return out;
}

std::string NarrowUtf16Bytes(const std::uint8_t* p, size_t bytes) {
  return NarrowWide(WideFromBytes(p, bytes));
}
#else
// In one pass: a wide copy of a large file would cost as much memory as the file again.
std::string NarrowUtf16Bytes(const std::uint8_t* p, size_t bytes) {
  std::string out(bytes / 2, '\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = NarrowCodeUnit(static_cast<char16_t>(p[2 * i] | (unsigned{p[2 * i + 1]} << 8)));
  return out;
}
#endif

std::u16string WideFromUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int more = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    std::uint32_t cp = more == 0 ? b : more == 1 ? (b & 0x1F) : more == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = more >= 0 && i + static_cast<size_t>(more) < s.size();
    for (int k = 1; ok && k <= more; ++k) {
      const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += 1 + static_cast<size_t>(more);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

}  // namespace quillet
