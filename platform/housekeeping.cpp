#include "platform/housekeeping.h"

#include <cstdint>

#include "platform/platform.h"

namespace {

constexpr std::uint32_t kInitCommonControlsExSize = 8;  // dwSize and dwICC
constexpr std::uint32_t kIccUserExClasses = 0x200;
constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;
// Both limits with all bits set: the request to empty the working set.
constexpr std::intptr_t kEmptyWorkingSet = -1;

// This process, opened for the length of one trim. A failed open leaves a null
// handle, on which the trim simply fails; there is nothing to close then.
class OwnProcess {
  public:
    OwnProcess()
        : handle_(platform::OpenProcessHandle(kProcessAllAccess, false,
                                              platform::CurrentProcessId())) {}
    ~OwnProcess() {
        if (handle_ != 0) platform::CloseKernelHandle(handle_);
    }
    OwnProcess(const OwnProcess&) = delete;
    OwnProcess& operator=(const OwnProcess&) = delete;

    platform::Handle handle() const { return handle_; }

  private:
    platform::Handle handle_;
};

}  // namespace

bool InitVisualStyles() {
    return platform::InitializeCommonControls(kInitCommonControlsExSize, kIccUserExClasses);
}

void TrimWorkingSet() {
    const OwnProcess process;
    platform::SetWorkingSetSize(process.handle(), kEmptyWorkingSet, kEmptyWorkingSet);
}
