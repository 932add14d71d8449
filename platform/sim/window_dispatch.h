// How a message reaches a simulated window, whoever sends it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace sim::detail {

constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmEndSession = 0x0016;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScScreenSave = 0xF140;

// Runs the window's handling of the message, as its window procedure would:
// a hidden form unloads on WM_CLOSE and on WM_ENDSESSION(TRUE), a main-window
// form runs its close handler on WM_CLOSE, a picture box passes its callback
// message's lParam to its tray handler, and the default handling of
// WM_SYSCOMMAND/SC_SCREENSAVE starts the screen saver. A window
// that does not exist gets nothing. Returns the message's result.
std::intptr_t DeliverMessage(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam);

}  // namespace sim::detail
