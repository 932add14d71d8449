// Brings an older release's registry entries to the current layout.
#pragma once

#include <cstdint>
#include <optional>

// Moves the per-user "SleeperActive" to "HotCorners" under HKEY_LOCAL_MACHINE
// and removes the per-user keys; removes Run values of the program that are
// empty REG_SZ; and keeps only the all-users Run value when both exist.
//
// When "HotCorners" cannot be written there (a user without the right to write
// under HKEY_LOCAL_MACHINE), the old setting becomes the per-user "HotCorners"
// in its own key, and "SleeperActive" goes. When that cannot be written either,
// the old setting stays for the next start to try again, and comes back for
// this run to use.
std::optional<std::int32_t> MigrateLegacySettings();
