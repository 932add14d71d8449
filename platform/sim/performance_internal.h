// The registry keys whose values are not stored but made on demand: the
// performance data under HKEY_PERFORMANCE_DATA and the 9x dynamic statistics
// under HKEY_DYN_DATA. The registry calls hand these keys over to them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace sim::detail {

// RegQueryValueExA on HKEY_PERFORMANCE_DATA or on an open statistics key;
// nullopt when key is neither, and the registry answers.
std::optional<platform::Status> QueryDynamicKey(platform::Handle key, const std::string& valueName,
                                                std::uint32_t* type, std::uint8_t* data,
                                                std::uint32_t* size);

// RegCloseKey on the same; nullopt when key is neither.
std::optional<platform::Status> CloseDynamicKey(platform::Handle key);

}  // namespace sim::detail
