// Timers, and the passing of time that fires them.
#include <algorithm>

#include "platform/sim/clock_internal.h"
#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace {

using sim::detail::TimerRecord;

// SetTimer raises shorter intervals to USER_TIMER_MINIMUM.
constexpr std::uint32_t kMinimumIntervalMs = 10;

std::map<platform::Handle, TimerRecord>& Timers() {
    return sim::detail::TheWorld().timers;
}

std::uint64_t Now() {
    return sim::detail::TheWorld().clock.elapsedMs;
}

// The enabled timer that falls due first, no later than untilMs; among timers
// due at the same moment the oldest fires first.
std::optional<platform::Handle> NextDueTimer(std::uint64_t untilMs) {
    std::optional<platform::Handle> next;
    std::uint64_t nextDue = untilMs;
    for (const auto& [handle, timer] : Timers()) {
        if (timer.enabled && timer.dueMs <= nextDue && (!next || timer.dueMs < nextDue)) {
            next = handle;
            nextDue = timer.dueMs;
        }
    }
    return next;
}

void Fire(platform::Handle handle) {
    TimerRecord& timer = Timers().at(handle);
    timer.dueMs = Now() + timer.intervalMs;
    sim::detail::RunHandler(timer.onTimer);
}

}  // namespace

namespace platform {

struct Timer::Impl {
    Handle handle = 0;
};

Timer::Timer(std::uint32_t intervalMs, std::function<void()> onTimer)
    : impl_(std::make_unique<Impl>()) {
    impl_->handle = sim::detail::NewHandle();
    TimerRecord timer;
    timer.intervalMs = std::max(intervalMs, kMinimumIntervalMs);
    timer.dueMs = Now() + timer.intervalMs;
    timer.onTimer = std::move(onTimer);
    Timers().emplace(impl_->handle, std::move(timer));
}

Timer::~Timer() {
    Timers().erase(impl_->handle);
}

void Timer::setEnabled(bool enabled) {
    auto it = Timers().find(impl_->handle);
    if (it == Timers().end() || it->second.enabled == enabled) {
        return;
    }
    // Enabling starts a fresh interval, as re-arming a Win32 timer does.
    it->second.enabled = enabled;
    it->second.dueMs = Now() + it->second.intervalMs;
}

bool Timer::enabled() const {
    auto it = Timers().find(impl_->handle);
    return it != Timers().end() && it->second.enabled;
}

}  // namespace platform

namespace sim {

int LiveTimerCount() {
    return static_cast<int>(Timers().size());
}

void AdvanceTime(std::uint32_t ms) {
    const std::uint64_t target = Now() + ms;
    while (std::optional<platform::Handle> due = NextDueTimer(target)) {
        detail::MoveClock(Timers().at(*due).dueMs - Now());
        Fire(*due);
    }
    // A handler that advanced time itself may already have gone past target.
    if (target > Now()) {
        detail::MoveClock(target - Now());
    }
}

}  // namespace sim
