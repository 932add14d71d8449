// Periodic timers, delivered as WM_TIMER through the message loop.
#include "platform/widgets.h"
#include "platform/win32/program_window.h"

namespace platform {

// Each timer owns a message-only window: the timer dies with it, and a
// WM_TIMER still queued for a destroyed timer has no window left to reach.
struct Timer::Impl {
    UINT intervalMs = 0;
    std::function<void()> onTimer;
    bool enabled = false;
    win32::UniqueWindow window;
};

namespace {

constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK TimerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* timer = win32::WidgetOf<Timer::Impl>(window);
    if (timer != nullptr && message == WM_TIMER && wParam == kTimerId) {
        win32::CallHandler(timer->onTimer);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

Timer::Timer(std::uint32_t intervalMs, std::function<void()> onTimer)
    : impl_(std::make_unique<Impl>()) {
    impl_->intervalMs = intervalMs;
    impl_->onTimer = std::move(onTimer);
    impl_->window = win32::CreateProgramWindow(
        {.className = "Orbiquell.Timer", .procedure = &TimerProcedure, .parent = HWND_MESSAGE},
        impl_.get());
    setEnabled(true);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled) {
    // Enabling a running timer must not restart its interval.
    if (enabled == impl_->enabled) return;
    if (enabled) {
        impl_->enabled = SetTimer(impl_->window.get(), kTimerId, impl_->intervalMs, nullptr) != 0;
    } else {
        KillTimer(impl_->window.get(), kTimerId);
        impl_->enabled = false;
    }
}

bool Timer::enabled() const {
    return impl_->enabled;
}

}  // namespace platform
