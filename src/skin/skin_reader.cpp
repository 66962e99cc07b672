#include "skin/skin_reader.h"

#include <algorithm>
#include <cstring>

#include "skin/lzh.h"
#include "skin/text.h"

namespace quillet::skin {

namespace {

std::int32_t ReadI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) |
                                   (static_cast<std::uint32_t>(p[3]) << 24));
}
void PutI32(std::vector<std::uint8_t>& out, std::int32_t v) {
  const std::size_t at = out.size();
  out.resize(at + 4);
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

}  // namespace

int TSkinReader::SkippedBlockSize(std::int32_t version) {
  switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
  }
}

bool TSkinReader::Fail(const char* message) {
  error_ = message;
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  store_.clear();
  storeStart_ = 0;
  return false;
}

bool TSkinReader::Open(const std::uint8_t* raw, std::size_t size) {
  std::vector<std::uint8_t> archive;
  try {
    archive = TLZH::Decode(raw, size);
  } catch (const ElzhException&) {
    return Fail(kDamagedSkinMessage);
  }
  return OpenArchive(std::move(archive));
}

bool TSkinReader::OpenArchive(std::vector<std::uint8_t> archive) {
  error_.clear();
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  if (archive.size() < 16) return Fail(kDamagedSkinMessage);
  version_ = ReadI32(archive.data());
  const std::int32_t listLength = ReadI32(archive.data() + 4);
  const int skip = SkippedBlockSize(version_);
  if (skip < 0) return Fail(kOlderSkinMessage);
  const std::size_t listStart = 16 + static_cast<std::size_t>(skip);
  if (listLength < 0 || listStart > archive.size() ||
      static_cast<std::size_t>(listLength) > archive.size() - listStart)
    return Fail(kDamagedSkinMessage);
  std::string text(reinterpret_cast<const char*>(archive.data() + listStart), listLength);
  names_ = SplitLines(AsciiLower(std::move(text)));
  if (names_.size() > static_cast<std::size_t>(kMaxFiles)) return Fail(kDamagedSkinMessage);
  const std::size_t sizesStart = listStart + listLength;
  if (names_.size() * 4 > archive.size() - sizesStart) return Fail(kDamagedSkinMessage);
  storeStart_ = sizesStart + names_.size() * 4;
  std::size_t at = storeStart_;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const std::int32_t s = ReadI32(archive.data() + sizesStart + 4 * i);
    if (s < 0 || static_cast<std::size_t>(s) > archive.size() - at) return Fail(kDamagedSkinMessage);
    sizes_.push_back(s);
    offsets_.push_back(at);
    at += s;
  }
  store_ = std::move(archive);
  return true;
}

std::vector<std::uint8_t> TSkinReader::Extract(std::size_t index) const {
  const auto begin = store_.begin() + static_cast<std::ptrdiff_t>(offsets_[index]);
  return {begin, begin + sizes_[index]};
}

std::vector<std::uint8_t> TSkinReader::ExtractByName(const std::string& name) const {
  const std::string wanted = AsciiLower(name);
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == wanted) return Extract(i);
  return {};
}

std::string TSkinReader::ExtractByFragment(const std::string& fragment,
                                           std::vector<std::uint8_t>& dest) const {
  dest.clear();
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i].find(fragment) != std::string::npos) {
      dest = Extract(i);
      return names_[i];
    }
  return {};
}

void TSkinArchiveWriter::Add(std::string name, std::vector<std::uint8_t> bytes) {
  files_.emplace_back(std::move(name), std::move(bytes));
}

std::vector<std::uint8_t> TSkinArchiveWriter::Archive() const {
  std::string list;
  for (const auto& f : files_) list += f.first + "\r\n";
  std::vector<std::uint8_t> out;
  PutI32(out, 70000);
  PutI32(out, static_cast<std::int32_t>(list.size()));
  out.resize(16 + TSkinReader::SkippedBlockSize(70000), 0);
  out.insert(out.end(), list.begin(), list.end());
  for (const auto& f : files_) PutI32(out, static_cast<std::int32_t>(f.second.size()));
  for (const auto& f : files_) out.insert(out.end(), f.second.begin(), f.second.end());
  return out;
}

std::vector<std::uint8_t> TSkinArchiveWriter::RawStream() const { return TLZH::Encode(Archive()); }

std::vector<std::uint8_t> WrapSkinStream(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out(4 + raw.size());
  const auto n = static_cast<std::uint32_t>(raw.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(n >> (8 * i));
  std::copy(raw.begin(), raw.end(), out.begin() + 4);
  return out;
}

bool UnwrapSkinStream(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& raw) {
  raw.clear();
  if (size < 4) return false;
  const std::int32_t n = ReadI32(data);
  if (n < 0 || static_cast<std::size_t>(n) > size - 4) return false;
  raw.assign(data + 4, data + 4 + n);
  return true;
}

}  // namespace quillet::skin
