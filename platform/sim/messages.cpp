// Message boxes, and the screen saver with its active flag.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"

namespace {

sim::detail::MessageState& Messages() {
    return sim::detail::TheWorld().messages;
}

}  // namespace

namespace platform {

int ShowMessageBox(Handle owner, const std::string& prompt, std::uint32_t style,
                   const std::string& title) {
    Messages().messageBoxes.push_back(
        {owner, prompt, style, title, sim::detail::TheWorld().shell.screenPointer});
    // The owner is disabled while the box is open. It may be destroyed
    // meanwhile, and its handle is never reused.
    if (auto* form = sim::detail::FindForm(owner)) ++form->openBoxes;
    sim::detail::RunDuringModal();
    if (Messages().messageBoxOpenMs > 0) sim::AdvanceTime(Messages().messageBoxOpenMs);
    if (auto* form = sim::detail::FindForm(owner)) --form->openBoxes;
    return kIdOk;
}

void StartScreenSaver(Handle window) {
    Messages().screenSaverStartWindows.push_back(window);
    // The default handling of a live window starts it.
    if (sim::detail::IsLiveWindow(window)) {
        ++Messages().screenSaverStarts;
        Messages().screenSaverRunning = true;
    }
}

bool ScreenSaverActiveFlag() {
    return !Messages().screenSaverFlagFails && Messages().screenSaverActive;
}

bool ScreenSaverRunning() {
    return Messages().screenSaverRunning;
}

void SetScreenSaverActiveFlag(bool active, bool persist) {
    Messages().screenSaverFlagSets.push_back({active, persist});
    if (!Messages().screenSaverFlagFails) Messages().screenSaverActive = active;
}

}  // namespace platform

namespace sim {

const std::vector<MessageBoxCall>& MessageBoxes() {
    return Messages().messageBoxes;
}

void SetMessageBoxOpenTime(std::uint32_t ms) {
    Messages().messageBoxOpenMs = ms;
}

bool ScreenSaverActive() {
    return Messages().screenSaverActive;
}

void SetScreenSaverActive(bool active) {
    Messages().screenSaverActive = active;
}

void SetScreenSaverRunning(bool running) {
    Messages().screenSaverRunning = running;
}

void SetScreenSaverFlagFails(bool fails) {
    Messages().screenSaverFlagFails = fails;
}

const std::vector<ScreenSaverFlagSet>& ScreenSaverFlagSets() {
    return Messages().screenSaverFlagSets;
}

const std::vector<platform::Handle>& ScreenSaverStartWindows() {
    return Messages().screenSaverStartWindows;
}

int ScreenSaverStarts() {
    return Messages().screenSaverStarts;
}


}  // namespace sim
