// The monitors, the window in front and the display's power.
#include <algorithm>
#include <utility>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::ScreenState& Screen() {
    return sim::detail::TheWorld().screen;
}

// How far the point lies outside the rectangle, squared; 0 inside.
std::int64_t DistanceSquared(const platform::ScreenRect& rect, std::int32_t x, std::int32_t y) {
    const std::int64_t dx = std::max<std::int64_t>({rect.left - x, 0, x - (rect.right - 1)});
    const std::int64_t dy = std::max<std::int64_t>({rect.top - y, 0, y - (rect.bottom - 1)});
    return dx * dx + dy * dy;
}

}  // namespace

namespace platform {

std::optional<ScreenRect> MonitorAt(std::int32_t x, std::int32_t y) {
    if (Screen().monitorFunctionsMissing) return std::nullopt;
    if (Screen().monitors.empty()) return ScreenRect{0, 0, Screen().width, Screen().height};
    const auto& monitors = Screen().monitors;
    return *std::min_element(monitors.begin(), monitors.end(), [&](const auto& a, const auto& b) {
        return DistanceSquared(a, x, y) < DistanceSquared(b, x, y);
    });
}

std::optional<FrontWindow> ForegroundWindowFacts() {
    if (!sim::detail::TheWorld().messages.screenSaverRunning) return Screen().front;
    // A screen saver's window has no caption and covers every screen.
    ScreenRect all{0, 0, Screen().width, Screen().height};
    for (const ScreenRect& m : Screen().monitors) {
        all = {std::min(all.left, m.left), std::min(all.top, m.top), std::max(all.right, m.right),
               std::max(all.bottom, m.bottom)};
    }
    return FrontWindow{all, false, false, {0, 0, Screen().width, Screen().height}};
}

ShellFullScreen ShellFullScreenState() {
    return Screen().shellFullScreen;
}

void KeepDisplayAwake(bool awake) {
    Screen().keepAwakeCalls.push_back(awake);
}

}  // namespace platform

namespace sim {

void SetMonitors(std::vector<platform::ScreenRect> monitors) {
    Screen().monitors = std::move(monitors);
}

void SetMonitorFunctionsMissing(bool missing) {
    Screen().monitorFunctionsMissing = missing;
}

void SetForegroundWindowFacts(std::optional<platform::FrontWindow> front) {
    Screen().front = front;
}

void SetShellFullScreen(platform::ShellFullScreen state) {
    Screen().shellFullScreen = state;
}

const std::vector<bool>& KeepAwakeCalls() {
    return Screen().keepAwakeCalls;
}

}  // namespace sim
