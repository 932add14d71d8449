#include "app/os_version.h"

#include "common/globals.h"
#include "platform/platform.h"

void GetOSVersion() {
    platform::OsVersion version;
    platform::QueryOsVersion(&version);
    gPlatformId = static_cast<std::int32_t>(version.platformId);
    if (version.platformId == platform::kVerPlatformWin32Nt) {
        gIsWin2kOrLater = version.majorVersion >= 5;
    } else if (version.platformId > platform::kVerPlatformWin32Nt) {
        gIsWin2kOrLater = true;
    }
}
