#include "platform/housekeeping.h"

#include <cstdint>

#include "platform/owners.h"

namespace {

constexpr std::uint32_t kInitCommonControlsExSize = 8;  // dwSize and dwICC
constexpr std::uint32_t kIccUserExClasses = 0x200;
constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;
// Both limits with all bits set: the request to empty the working set.
constexpr std::intptr_t kEmptyWorkingSet = -1;

}  // namespace

bool InitVisualStyles() {
    return platform::InitializeCommonControls(kInitCommonControlsExSize, kIccUserExClasses);
}

void TrimWorkingSet() {
    // A failed open leaves no handle, on which the trim simply fails; there is
    // nothing to close then.
    const platform::UniqueKernelHandle process(
        platform::OpenProcessHandle(kProcessAllAccess, false, platform::CurrentProcessId()));
    platform::SetWorkingSetSize(process.get(), kEmptyWorkingSet, kEmptyWorkingSet);
}
