// The identity of the running system: its Windows version and computer name.
#include "platform/win32/native.h"

namespace platform {

// The program hands Windows the original, 148-byte ANSI record, so that the
// call behaves as it does for the oldest callers.
static_assert(sizeof(OSVERSIONINFOA) == 148);

bool QueryOsVersion(OsVersion* version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info)) return false;
    version->majorVersion = info.dwMajorVersion;
    version->minorVersion = info.dwMinorVersion;
    version->buildNumber = info.dwBuildNumber;
    version->platformId = info.dwPlatformId;
    return true;
}

int QueryComputerName(char* buffer, std::uint32_t* size) {
    DWORD nativeSize = *size;
    const BOOL ok = GetComputerNameA(buffer, &nativeSize);
    *size = nativeSize;
    return ok;
}

}  // namespace platform
