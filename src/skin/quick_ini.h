// The skin's INI text: a fast reader that keeps the non-empty, non-comment lines and where the
// sections begin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::skin {

class TQuickIni {
 public:
  void Load(const std::uint8_t* data, std::size_t size);
  void Load(const std::vector<std::uint8_t>& data) { Load(data.data(), data.size()); }
  void LoadText(const std::string& text) {
    Load(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  }

  // The first line of the section whose key matches; an empty value gives the default.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // Decimal, "$" hexadecimal or "0x" hexadecimal; anything else gives the default.
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t def) const;
  std::vector<std::string> Sections() const;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  struct Header {
    std::string line;
    std::size_t index;
  };
  std::vector<std::string> lines_;
  std::vector<Header> headers_;
};

// Parses an integer the way ReadInteger does; false for anything that is not one.
bool ParseSkinInteger(const std::string& text, std::int32_t& value);

// "r g b" with any non-digits between the three numbers, as red + 256 green + 65536 blue.
// Numbers above 255 are taken as 255; missing numbers as 0.
std::uint32_t ParseColorText(const std::string& text);

}  // namespace quillet::skin
