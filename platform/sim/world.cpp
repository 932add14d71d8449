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

void ClearRecords() {
    // Swapped out rather than cleared, so that their memory goes too and a
    // long run can compare the process's allocations before and after.
    auto& world = detail::TheWorld();
    std::vector<MessageBoxCall>().swap(world.messages.messageBoxes);
    std::vector<ScreenSaverFlagSet>().swap(world.messages.screenSaverFlagSets);
    std::vector<platform::Handle>().swap(world.messages.screenSaverStartWindows);
    world.messages.screenSaverStarts = 0;
    std::vector<NotifyCall>().swap(world.tray.calls);
    world.network.reads = 0;
    world.housekeeping.workingSetTrims = 0;
    std::vector<CommonControlsCall>().swap(world.housekeeping.commonControlsCalls);
    world.loop.pumpCount = 0;
    std::vector<std::uint32_t>().swap(world.performance.querySizes);
    std::vector<std::string>().swap(world.performance.dynDataLog);
    std::vector<platform::Handle>().swap(world.shell.foregroundCalls);
    std::vector<ShellOpenCall>().swap(world.shell.shellOpens);
    std::vector<StartedProgram>().swap(world.shell.startedPrograms);
    std::vector<MenuPopup>().swap(world.menus.popups);
    std::vector<bool>().swap(world.screen.keepAwakeCalls);
}

}  // namespace sim
