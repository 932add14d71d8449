// The process's place among others: the single-instance claim and its command line.
#include "platform/win32/command_line.h"
#include "platform/win32/native.h"

namespace platform {

bool IsPreviousInstanceRunning() {
    // A named mutex. Its name has no "Local\" prefix: Windows before 2000 has
    // no namespaces and refuses names with a backslash, and from 2000 on an
    // ordinary program's names land in its own session's namespace anyway, so
    // every user logged on, and every session of a terminal server, runs an
    // instance of its own. The handle is never closed; the claim holds until
    // the process ends and Windows releases it, so a later instance keeps
    // finding it for as long as this one runs.
    static const bool previousInstance = [] {
        const HANDLE claim = CreateMutexA(nullptr, FALSE, "Orbiquell.SingleInstance");
        // No claim at all, whatever the reason (an instance running elevated
        // holds a mutex this one may not open; another kind of object holds
        // the name), proves nothing about other instances; a second instance
        // that only warns is the safe side of that doubt.
        return claim == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
    }();
    return previousInstance;
}

std::string CommandLineArguments() {
    return std::string(win32::ArgumentsAfterProgramPath(GetCommandLineA()));
}

}  // namespace platform
