// A registry key a standard user may read but not write, as Windows keeps the
// machine's keys from Vista on: the way the tests stage such a user.
#include "commands.h"
#include "window_access.h"
// sddl.h needs windows.h (from window_access.h) before it.
#include <sddl.h>

#include <cstdio>
#include <cwchar>

namespace probe {

namespace {

bool LockView(HKEY root, const wchar_t* path, REGSAM view) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ | WRITE_DAC | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // Everyone may read; nobody may write. Protected, so that nothing is
    // inherited from the parent.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool locked = ConvertStringSecurityDescriptorToSecurityDescriptorW(
                      L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &descriptor, nullptr) &&
                  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return locked;
}

}  // namespace

int CommandLockKey(const char* name) {
    const std::wstring path = Wide(name);
    HKEY root = nullptr;
    const wchar_t* below = nullptr;
    if (path.rfind(L"HKLM\\", 0) == 0) {
        root = HKEY_LOCAL_MACHINE;
        below = path.c_str() + 5;
    } else if (path.rfind(L"HKCU\\", 0) == 0) {
        root = HKEY_CURRENT_USER;
        below = path.c_str() + 5;
    } else {
        std::printf("error\tnot below HKLM or HKCU: %s\n", name);
        return 2;
    }
    // Both views: a 32-bit program sees the machine's Software keys through its own.
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        if (!LockView(root, below, view)) {
            std::printf("error\tcannot lock %s (view %s)\n", name,
                        view == KEY_WOW64_64KEY ? "64-bit" : "32-bit");
            return 1;
        }
    }
    std::printf("locked\tkey=%s\n", name);
    return 0;
}

}  // namespace probe
