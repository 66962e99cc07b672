// The portable half of TSkinData: the skin's raw stream, the stored-property layout around it,
// and loading the elements from it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/elements.h"

namespace quillet::skin {

class TSkinDataCore {
 public:
  explicit TSkinDataCore(const SkinSystem& system = DefaultSkinSystem()) : system_(&system) {}

  // True from construction until a skin has been loaded.
  bool NoSkinLoaded() const { return elements_.NoSkinLoaded; }

  // The stored property: a signed 32-bit length N, then N bytes of raw stream. N = 0 means no
  // skin; a length that does not fit the bytes is refused. Returns whether a skin loaded.
  bool ReadSkinStream(const std::uint8_t* data, std::size_t size);
  std::vector<std::uint8_t> WriteSkinStream() const;

  // Takes a raw stream (a skin file's content) and loads it.
  bool LoadFromRaw(std::vector<std::uint8_t> raw);
  // Loads from the raw stream held. Any failure leaves NoSkinLoaded set; the reason goes to
  // OnMessage (for the window layer to show) and to LastMessage.
  bool LoadSkin();

  const std::vector<std::uint8_t>& RawStream() const { return raw_; }
  const TSkinElements& Elements() const { return elements_; }

  std::function<void(const std::string&)> OnMessage;
  const std::string& LastMessage() const { return lastMessage_; }

 private:
  const SkinSystem* system_;
  std::vector<std::uint8_t> raw_;
  TSkinElements elements_;
  std::string lastMessage_;
};

}  // namespace quillet::skin
