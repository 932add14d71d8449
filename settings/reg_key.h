// An open registry key that closes itself.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

class RegKey {
  public:
    RegKey() = default;
    ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Opens root\path for reading; never creates a key.
    bool Open(std::uint32_t root, const std::string& path);
    // Opens root\path, creating every missing key on the way.
    bool Create(std::uint32_t root, const std::string& path);

    platform::Handle handle() const { return handle_; }

  private:
    platform::Handle handle_ = 0;
};
