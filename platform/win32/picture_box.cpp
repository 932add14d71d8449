// The child window that receives the notification-area icon's callback.
#include "platform/widgets.h"
#include "platform/win32/program_window.h"

namespace platform {

struct PictureBox::Impl {
    std::uint32_t callbackMessage = 0;
    std::function<void(std::uint32_t)> onTrayEvent;
    win32::UniqueWindow window;
};

namespace {

LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* box = win32::WidgetOf<PictureBox::Impl>(window);
    if (box != nullptr && message == box->callbackMessage) {
        // The shell puts the mouse message that happened over the icon in the
        // low word of lParam (wParam is the icon's id).
        win32::CallHandler(box->onTrayEvent, LOWORD(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

PictureBox::PictureBox(HiddenForm& parent, std::uint32_t callbackMessage)
    : impl_(std::make_unique<Impl>()) {
    impl_->callbackMessage = callbackMessage;
    impl_->window = win32::CreateProgramWindow({.className = "Orbiquell.PictureBox",
                                                .procedure = &PictureBoxProcedure,
                                                .style = WS_CHILD,
                                                .parent = win32::ToNative<HWND>(parent.handle())},
                                               impl_.get());
}

PictureBox::~PictureBox() = default;

Handle PictureBox::handle() const {
    return win32::ToHandle(impl_->window.get());
}

void PictureBox::setOnTrayEvent(std::function<void(std::uint32_t mouseMessage)> handler) {
    impl_->onTrayEvent = std::move(handler);
}

}  // namespace platform
