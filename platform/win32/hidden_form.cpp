// The hidden top-level window that stands for the program toward Windows.
#include "platform/widgets.h"
#include "platform/win32/program_window.h"

namespace platform {

struct HiddenForm::Impl {
    std::function<void()> onUnload;
    win32::UniqueWindow window;
};

namespace {

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* form = win32::WidgetOf<HiddenForm::Impl>(window);
    if (form != nullptr) {
        switch (message) {
            // The unload handler decides whether and when the window goes; the
            // default handling would destroy it at once.
            case WM_CLOSE:
                win32::CallHandler(form->onUnload);
                return 0;
            case WM_QUERYENDSESSION:
                return TRUE;
            case WM_ENDSESSION:
                if (wParam) win32::CallHandler(form->onUnload);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HiddenForm::HiddenForm(const std::string& caption) : impl_(std::make_unique<Impl>()) {
    // A real top-level window, not a message-only one: only top-level windows
    // hear of the session's end, and the tool-window style keeps it out of the
    // task list should anything ever show it.
    impl_->window = win32::CreateProgramWindow({.className = "Orbiquell.HiddenForm",
                                                .procedure = &FormProcedure,
                                                .exStyle = WS_EX_TOOLWINDOW,
                                                .style = WS_OVERLAPPEDWINDOW,
                                                .caption = caption.c_str()},
                                               impl_.get());
}

HiddenForm::~HiddenForm() = default;

Handle HiddenForm::handle() const {
    return win32::ToHandle(impl_->window.get());
}

void HiddenForm::setOnUnload(std::function<void()> handler) {
    impl_->onUnload = std::move(handler);
}

}  // namespace platform
