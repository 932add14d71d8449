// The message loop: in the simulation, letting time pass until the program
// asks to quit.
#include <functional>
#include <stdexcept>
#include <utility>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::LoopState& Loop() {
    return sim::detail::TheWorld().loop;
}

// Steps of USER_TIMER_MINIMUM keep the time that passes after Quit short.
constexpr std::uint32_t kStepMs = 10;
// A program that never quits fails its test instead of hanging it.
constexpr std::uint64_t kGiveUpAfterMs = std::uint64_t{60} * 60 * 1000;

}  // namespace

namespace platform {

int RunMessageLoop() {
    for (std::uint64_t waited = 0; !Loop().quitRequested; waited += kStepMs) {
        if (Loop().source && Loop().source()) {
            waited = 0;
            continue;
        }
        if (waited >= kGiveUpAfterMs) {
            throw std::runtime_error("the message loop ran an hour of simulated time without Quit");
        }
        sim::AdvanceTime(kStepMs);
    }
    return Loop().quitCode;
}

void PumpMessages() {
    ++Loop().pumpCount;
}

// Like PostQuitMessage, a later call's exit code replaces an earlier one's.
void Quit(int exitCode) {
    Loop().quitRequested = true;
    Loop().quitCode = exitCode;
}

bool QuitRequested() {
    return Loop().quitRequested;
}

}  // namespace platform

namespace sim {

int QuitCode() {
    return Loop().quitCode;
}

int PumpCount() {
    return Loop().pumpCount;
}

void DuringNextModal(std::function<void()> action) {
    Loop().duringModal = std::move(action);
}

void SetMessageSource(std::function<bool()> source) {
    Loop().source = std::move(source);
}

}  // namespace sim

namespace sim::detail {

void RunDuringModal() {
    const std::function<void()> action = std::exchange(Loop().duringModal, nullptr);
    if (action) action();
}

}  // namespace sim::detail
