#include "platform/win32/run_time_link.h"

#include <string>

namespace platform::win32 {

HMODULE LoadSystemLibrary(const char* fileName) {
    // The folder's length without its terminator, or the size it needs.
    std::string path(MAX_PATH, '\0');
    UINT length = GetSystemDirectoryA(path.data(), static_cast<UINT>(path.size()));
    if (length >= path.size()) {
        path.resize(length);
        length = GetSystemDirectoryA(path.data(), static_cast<UINT>(path.size()));
    }
    if (length == 0 || length >= path.size()) return nullptr;
    path.resize(length);
    if (path.back() != '\\') path += '\\';
    path += fileName;
    return LoadLibraryA(path.c_str());
}

}  // namespace platform::win32
