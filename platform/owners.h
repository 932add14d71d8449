// Owners of the handles the program gets through the platform seam: each
// closes its handle when it goes, on every way out of the scope. (The Win32
// layer's own window, GDI and menu objects have theirs in platform/win32.)
#pragma once

#include <utility>

#include "platform/platform.h"

namespace platform {

// A handle closed with Close when the owner goes or takes another one; 0 is
// none and is never closed.
template <auto Close>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }

    void reset(Handle handle = 0) {
        if (handle_ != 0) Close(handle_);
        handle_ = handle;
    }
    // For the calls that return a handle through a pointer: whatever is owned
    // now is closed first.
    Handle* receive() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = 0;
};

// A registry key (RegOpen, RegCreate, RegOpenWithAccess).
using UniqueRegKey = UniqueHandle<&RegClose>;
// A kernel object (OpenProcessHandle).
using UniqueKernelHandle = UniqueHandle<&CloseKernelHandle>;

}  // namespace platform
