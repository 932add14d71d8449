// A file some other program holds open without sharing: one a setup cannot
// replace.
#include "commands.h"
#include "window_access.h"

#include <cstdio>

namespace probe {

int CommandHoldFile(const char* path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("error\tcannot open %s: %lu\n", path, GetLastError());
        return 1;
    }
    std::printf("held\tfile=%s\n", path);
    std::fflush(stdout);
    // Until the test ends the process.
    Sleep(INFINITE);
    return 0;
}

}  // namespace probe
