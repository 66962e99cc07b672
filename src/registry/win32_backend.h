#pragma once
// The system registry through advapi32's ANSI calls. Windows builds only.

#include "registry/backend.h"

namespace quillet {

class Win32Backend : public RegistryBackend {
 public:
  long OpenKey(RegHandle parent, const std::string& path, std::uint32_t access,
               RegHandle* out) override;
  long CreateKey(RegHandle parent, const std::string& path, std::uint32_t access,
                 RegHandle* out) override;
  long CreateKeyTelling(RegHandle parent, const std::string& path, std::uint32_t access, RegHandle* out,
                        bool* made) override;
  long CloseKey(RegHandle key) override;
  long DeleteKey(RegHandle parent, const std::string& path) override;
  long DeleteValue(RegHandle key, const std::string& name) override;
  long QueryInfo(RegHandle key, RegKeyInfo* info) override;
  long EnumKey(RegHandle key, std::uint32_t index, std::string* name) override;
  long EnumValue(RegHandle key, std::uint32_t index, std::string* name) override;
  long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                  std::vector<std::uint8_t>* data, std::uint32_t* size) override;
  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long EnumValueData(RegHandle key, std::uint32_t index, std::string* name, std::uint32_t* type,
                     std::vector<std::uint8_t>* data) override;
  long KeyName(RegHandle key, std::string* name) override;
};

}  // namespace quillet
