// Brings an older release's registry entries to the current layout.
#pragma once

#include <cstdint>
#include <optional>

// Moves the per-user "SleeperActive" to "HotCorners" under HKEY_LOCAL_MACHINE
// and removes the per-user keys; removes Run values of the program that are
// empty REG_SZ; and keeps only the all-users Run value when both exist.
//
// When "HotCorners" cannot be written (a user without the right to write under
// HKEY_LOCAL_MACHINE), the old setting and its keys stay for the next start to
// try again, and the setting comes back for this run to use.
std::optional<std::int32_t> MigrateLegacySettings();
