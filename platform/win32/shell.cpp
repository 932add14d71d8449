// The foreground window, documents and programs started through the shell, and
// the running program's own path.
#include <string>

#include "platform/win32/run_time_link.h"
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace platform {

void SetForeground(Handle window) {
    SetForegroundWindow(win32::ToNative<HWND>(window));
}

std::int32_t ShellOpen(const std::string& file) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", file.c_str(), "", nullptr, SW_SHOWNORMAL);
    // Not an instance at all: an error code below 33 or a success value above,
    // returned in the handle's type for compatibility with 16-bit Windows.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

void StartProgram(const std::string& commandLine, int showStyle) {
    // Not WinExec: it returns only once the new program waits for input, or
    // after 30 seconds, and the tick, the hot corners and the tip would stand
    // still meanwhile. CreateProcessA searches for the program as WinExec does
    // when given no application name, and returns as soon as the process
    // exists; its handles are not needed.
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showStyle);
    PROCESS_INFORMATION process{};
    // The command line must be writable.
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

namespace {

// A path may be longer than MAX_PATH; a buffer that came back full may have
// been cut, so it grows until the path fits with room to spare.
template <typename Text, typename GetPath>
Text ModulePath(GetPath getPath) {
    Text path(MAX_PATH, 0);
    for (;;) {
        const DWORD length = getPath(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::string ExecutablePath() {
    return ModulePath<std::string>(GetModuleFileNameA);
}

std::u16string ExecutablePathWide() {
    // Looked up at run time: the 9x family has no working wide call, and the
    // program asks for this form only on the NT family.
    using GetPathFunction = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
    static const auto getPath = win32::FindFunction<GetPathFunction>(
        GetModuleHandleA("kernel32.dll"), "GetModuleFileNameW");
    if (getPath == nullptr) return {};
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return ModulePath<std::u16string>([](HMODULE module, char16_t* buffer, DWORD size) {
        return getPath(module, reinterpret_cast<LPWSTR>(buffer), size);
    });
}

}  // namespace platform
