// The primary screen's size and the mouse cursor on it.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::ScreenState& Screen() {
    return sim::detail::TheWorld().screen;
}

}  // namespace

namespace platform {

int SystemMetric(int index) {
    switch (index) {
        case kSmCxScreen:
            return Screen().width;
        case kSmCyScreen:
            return Screen().height;
        default:
            return 0;  // what GetSystemMetrics answers for an index it does not know
    }
}

int CursorPosition(std::int32_t* x, std::int32_t* y) {
    if (Screen().cursorFails) {
        return 0;
    }
    *x = Screen().cursorX;
    *y = Screen().cursorY;
    return 1;
}

}  // namespace platform

namespace sim {

void SetScreenSize(std::int32_t width, std::int32_t height) {
    Screen().width = width;
    Screen().height = height;
}

void SetCursor(std::int32_t x, std::int32_t y) {
    Screen().cursorX = x;
    Screen().cursorY = y;
}

void SetCursorFails(bool fails) {
    Screen().cursorFails = fails;
}

}  // namespace sim
