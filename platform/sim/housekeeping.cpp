// This process as Windows sees it: its id, handles to it, its working set, and
// the common-controls library.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

// Process ids are multiples of four, like handles.
constexpr std::uint32_t kProcessId = 2916;
// The right SetProcessWorkingSetSize needs on the handle it is given.
constexpr std::uint32_t kProcessSetQuota = 0x0100;

sim::detail::HousekeepingState& Housekeeping() {
    return sim::detail::TheWorld().housekeeping;
}

}  // namespace

namespace platform {

std::uint32_t CurrentProcessId() {
    return kProcessId;
}

// Only this process exists in the simulation; any other id is refused as
// Windows refuses an id no process has (and the idle process's 0).
Handle OpenProcessHandle(std::uint32_t access, bool /*inherit*/, std::uint32_t processId) {
    if (processId != kProcessId) {
        return 0;
    }
    const Handle handle = sim::detail::NewHandle();
    Housekeeping().processes.emplace(handle, access);
    return handle;
}

int SetWorkingSetSize(Handle process, std::intptr_t minimum, std::intptr_t maximum) {
    auto it = Housekeeping().processes.find(process);
    if (it == Housekeeping().processes.end() || (it->second & kProcessSetQuota) == 0) {
        return 0;
    }
    if (minimum != -1 || maximum != -1) {
        return 0;  // only emptying the working set is simulated
    }
    ++Housekeeping().workingSetTrims;
    return 1;
}

int CloseKernelHandle(Handle handle) {
    return Housekeeping().processes.erase(handle) == 1 ? 1 : 0;
}

bool InitializeCommonControls(std::uint32_t size, std::uint32_t classes) {
    if (Housekeeping().commonControlsMissing) {
        return false;
    }
    Housekeeping().commonControlsCalls.push_back({size, classes});
    return true;
}

}  // namespace platform

namespace sim {

int WorkingSetTrims() {
    return Housekeeping().workingSetTrims;
}

int OpenProcessHandleCount() {
    return static_cast<int>(Housekeeping().processes.size());
}

void SetCommonControlsMissing(bool missing) {
    Housekeeping().commonControlsMissing = missing;
}

const std::vector<CommonControlsCall>& CommonControlsCalls() {
    return Housekeeping().commonControlsCalls;
}

}  // namespace sim
