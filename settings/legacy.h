// Brings an older release's registry entries to the current layout.
#pragma once

// Moves the per-user "SleeperActive" to "HotCorners" under HKEY_LOCAL_MACHINE
// and removes the per-user keys; removes empty Run values of the program; and
// keeps only the all-users Run value when both exist.
void MigrateLegacySettings();
