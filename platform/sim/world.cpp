#include "platform/sim/world.h"

namespace sim::detail {

RegistryState::RegistryState() {
    const std::vector<std::string> runKey =
        *SplitKeyPath("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    CreateKey(currentUser, runKey);
    CreateKey(localMachine, runKey);
}

World& TheWorld() {
    static World world;
    return world;
}

platform::Handle NewHandle() {
    // Real handles are multiples of four; starting high keeps them clear of
    // small numbers a test might use as bogus handles.
    static platform::Handle next = 0x10000;
    next += 4;
    return next;
}

}  // namespace sim::detail

namespace sim {

void Reset() {
    detail::TheWorld() = detail::World{};
}

}  // namespace sim
