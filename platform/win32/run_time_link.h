// Functions that not every Windows the program runs on has, found at run time.
//
// An import the loader cannot resolve keeps the whole exe from starting, so
// whatever is newer than Windows 98 and NT 4.0, or lives in a DLL that a
// system may lack, is looked up here instead, and its caller does without it
// when it is missing.
#pragma once

#include "platform/win32/native.h"

namespace platform::win32 {

// A DLL of the system, loaded by its full path in the system folder, so that a
// copy of the same name planted beside the exe or in the current folder is
// never loaded in its place. Null when the system has no such DLL. Callers
// keep the module for the life of the process: a function looked up in it
// must stay valid as long as anyone may call it.
HMODULE LoadSystemLibrary(const char* fileName);

// The export name of module as a function of type Function; null when the
// module is null or has no such export.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    // Through void (*)(), the one function pointer type that converts to any
    // other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
