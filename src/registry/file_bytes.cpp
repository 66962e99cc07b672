// Whole files in and out: read at once, and replaced by a temporary file and a rename so that a
// reader never sees half of one.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <utility>

#include "registry/reg_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillet {

namespace {

// C stdio rather than file streams: the streams bring the whole locale machinery into the program.
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string ReadWholeFileBytes(const std::string& path, bool* exists) {
  File in(std::fopen(path.c_str(), "rb"));
  *exists = in != nullptr;
  if (!in) return {};
  std::string bytes;
  if (std::fseek(in.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(in.get());
    std::rewind(in.get());
    if (size > 0) {
      bytes.resize(static_cast<size_t>(size));
      bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in.get()));
    }
  }
  // The rest, when the size could not be told or the file grew meanwhile.
  char buf[16384];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, in.get())) > 0) bytes.append(buf, got);
  return bytes;
}

AtomicFile::AtomicFile(const std::string& path) : path_(path), temp_(path + ".tmp") {
  file_ = std::fopen(temp_.c_str(), "wb");
  if (!file_) throw std::runtime_error("Cannot create file \"" + temp_ + "\"");
}

AtomicFile::~AtomicFile() {
  if (!file_) return;
  std::fclose(file_);
  std::remove(temp_.c_str());
}

void AtomicFile::Write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    throw std::runtime_error("Cannot write file \"" + temp_ + "\"");
  size_ += bytes.size();
}

void AtomicFile::Commit() {
  if (std::fclose(std::exchange(file_, nullptr)) != 0) {
    std::remove(temp_.c_str());
    throw std::runtime_error("Cannot write file \"" + temp_ + "\"");
  }
#ifdef _WIN32
  const bool moved = MoveFileExA(temp_.c_str(), path_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  const bool moved = std::rename(temp_.c_str(), path_.c_str()) == 0;
#endif
  if (!moved) {
    std::remove(temp_.c_str());
    throw std::runtime_error("Cannot replace file \"" + path_ + "\"");
  }
}

void WriteFileAtomically(const std::string& path, std::string_view text) {
  AtomicFile file(path);
  file.Write(text);
  file.Commit();
}

}  // namespace quillet
