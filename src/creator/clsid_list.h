#pragma once
// The CLSID list file and the random CLSID: plain functions, no controls.

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::creator {

inline constexpr const char* kListFileName = "CLSID.dat";

// Lines of the file: a line ends at CR, LF or CR LF, text after the last break is a line too, and
// a NUL byte ends the content. Nothing is trimmed, duplicates stay.
std::vector<std::string> ParseClsidList(const std::string& content);
// Every entry followed by CR LF, so an empty list gives an empty file.
std::string FormatClsidList(const std::vector<std::string>& entries);

// The folder of a file path, with its trailing separator ("" when there is none).
std::string FolderOf(const std::string& path);

// Linear congruential generator, 32-bit state.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  // A number below `n`.
  std::uint32_t Below(std::uint32_t n);
  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal digits drawn from `random`.
std::string RandomClsid(Lcg& random);

// Leading and trailing spaces and control characters dropped.
std::string TrimBlank(const std::string& text);

}  // namespace quillet::creator
