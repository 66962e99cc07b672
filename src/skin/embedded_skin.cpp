#include "skin/embedded_skin.h"

#include <windows.h>

namespace quillet::skin {

std::span<const std::uint8_t> EmbeddedSkinStream() {
  // Resources of the executable itself; the handles need no release.
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, kEmbeddedSkinResource, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!info) return {};
  HGLOBAL handle = LoadResource(module, info);
  if (!handle) return {};
  const void* data = LockResource(handle);
  const DWORD size = SizeofResource(module, info);
  if (!data || size == 0) return {};
  return {static_cast<const std::uint8_t*>(data), size};
}

}  // namespace quillet::skin
