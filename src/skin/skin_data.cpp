#include "skin/skin_data.h"

#include "skin/skin_reader.h"

namespace quillet::skin {

bool TSkinDataCore::ReadSkinStream(const std::uint8_t* data, std::size_t size) {
  elements_.NoSkinLoaded = true;
  std::vector<std::uint8_t> raw;
  if (!UnwrapSkinStream(data, size, raw)) {
    lastMessage_ = TSkinReader::kDamagedSkinMessage;
    if (OnMessage) OnMessage(lastMessage_);
    return false;
  }
  raw_ = std::move(raw);
  if (raw_.empty()) return false;
  return LoadSkin();
}

std::vector<std::uint8_t> TSkinDataCore::WriteSkinStream() const { return WrapSkinStream(raw_); }

bool TSkinDataCore::LoadFromRaw(std::vector<std::uint8_t> raw) {
  raw_ = std::move(raw);
  return LoadSkin();
}

bool TSkinDataCore::LoadSkin() {
  elements_.NoSkinLoaded = true;
  lastMessage_.clear();
  TSkinReader reader;
  if (!reader.Open(raw_)) {
    lastMessage_ = reader.Error();
    if (OnMessage) OnMessage(lastMessage_);
    return false;
  }
  ReadSkinElements(reader, elements_, *system_);
  return true;
}

}  // namespace quillet::skin
