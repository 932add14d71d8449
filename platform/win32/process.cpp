// The process's place among others: the single-instance claim and its command line.
#include "platform/win32/command_line.h"
#include "platform/win32/native.h"

namespace platform {

bool IsPreviousInstanceRunning() {
    // A named mutex in the session's namespace: every user logged on, and every
    // session of a terminal server, runs an instance of its own. The handle is
    // never closed; the claim holds until the process ends and Windows releases
    // it, so a later instance keeps finding it for as long as this one runs.
    static const bool previousInstance = [] {
        const HANDLE claim = CreateMutexA(nullptr, FALSE, "Local\\Orbiquell.SingleInstance");
        const DWORD error = GetLastError();
        // An instance running elevated in the same session holds a mutex this
        // one may not open: that is a previous instance too.
        return error == ERROR_ALREADY_EXISTS || (claim == nullptr && error == ERROR_ACCESS_DENIED);
    }();
    return previousInstance;
}

std::string CommandLineArguments() {
    return std::string(win32::ArgumentsAfterProgramPath(GetCommandLineA()));
}

}  // namespace platform
