// The record Shell_NotifyIconA receives for the seam's NotifyIconData.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "platform/platform.h"

namespace platform::win32 {

// The first ANSI form: cbSize is NOTIFYICONDATAA_V1_SIZE whatever the caller
// put there (88 bytes on 32-bit Windows, more on 64-bit where handles are
// wider), and the shell reads no field beyond the 64-byte tip.
NOTIFYICONDATAA ToNativeRecord(const NotifyIconData& data);

}  // namespace platform::win32
