// The skin archive: a version header, a list of file names, their sizes and their bytes, the
// whole compressed with TLZH.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::skin {

class TSkinReader {
 public:
  static constexpr int kMaxFiles = 1001;
  // The two lines shown when a skin's version is not one we read.
  static constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";
  static constexpr const char* kDamagedSkinMessage = "The skin file is damaged.";

  // Bytes skipped after the header, by version; -1 for a version we do not read.
  static int SkippedBlockSize(std::int32_t version);

  // Decompresses the raw skin stream and reads the archive. On failure Error() says why
  // (one of the two messages above).
  bool Open(const std::uint8_t* raw, std::size_t size);
  bool Open(const std::vector<std::uint8_t>& raw) { return Open(raw.data(), raw.size()); }
  // Reads an archive that is already decompressed.
  bool OpenArchive(std::vector<std::uint8_t> archive);

  // The file whose lower-cased name equals `name` lower-cased; empty when there is none.
  std::vector<std::uint8_t> ExtractByName(const std::string& name) const;
  // The first file whose name contains `fragment` (compared as given); returns its name.
  std::string ExtractByFragment(const std::string& fragment, std::vector<std::uint8_t>& dest) const;

  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<std::int32_t>& Sizes() const { return sizes_; }
  std::int32_t Version() const { return version_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const char* message);
  std::vector<std::uint8_t> Extract(std::size_t index) const;

  std::vector<std::string> names_;
  std::vector<std::int32_t> sizes_;
  std::vector<std::size_t> offsets_;
  std::vector<std::uint8_t> store_;  // the archive; files begin at storeStart_
  std::size_t storeStart_ = 0;
  std::int32_t version_ = 0;
  std::string error_;
};

// Builds an archive of version 70000 and its compressed raw stream.
class TSkinArchiveWriter {
 public:
  void Add(std::string name, std::vector<std::uint8_t> bytes);
  std::vector<std::uint8_t> Archive() const;
  std::vector<std::uint8_t> RawStream() const;  // compressed, as a skin file holds it

 private:
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files_;
};

// The stored property: a signed 32-bit length, then the raw stream.
std::vector<std::uint8_t> WrapSkinStream(const std::vector<std::uint8_t>& raw);
// Takes the raw stream out of a stored property; false when the length does not fit.
bool UnwrapSkinStream(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& raw);

}  // namespace quillet::skin
