// <windows.h> as this layer sees it, and the conversions between the seam's
// integer handles and the typed handles Windows expects.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace platform::win32 {

// Handles keep their bit pattern across the seam; the predefined registry roots
// are already sign-extended on the seam's side, so they come out as HKEY_* do.
template <typename NativeHandle>
NativeHandle ToNative(Handle handle) {
    return reinterpret_cast<NativeHandle>(handle);
}

template <typename NativeHandle>
Handle ToHandle(NativeHandle handle) {
    return reinterpret_cast<Handle>(handle);
}

}  // namespace platform::win32
