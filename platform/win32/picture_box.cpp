// The child window that hears the notification-area icon's mouse events.
#include "platform/widgets.h"
#include "platform/win32/notify_record.h"
#include "platform/win32/program_window.h"

namespace platform {

struct PictureBox::Impl {
    std::function<void(TrayMouseEvent)> onTrayEvent;
    win32::UniqueWindow window;
};

namespace {

LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* box = win32::WidgetOf<PictureBox::Impl>(window);
    if (box != nullptr && message == win32::kTrayCallbackMessage) {
        // The shell puts the mouse message that happened over the icon in the
        // low word of lParam (wParam is the icon's id). Decoded from there, it
        // means the same at every screen DPI.
        switch (LOWORD(lParam)) {
            case WM_LBUTTONDBLCLK:
                win32::CallHandler(box->onTrayEvent, TrayMouseEvent::LeftDoubleClick);
                break;
            case WM_RBUTTONUP:
                win32::CallHandler(box->onTrayEvent, TrayMouseEvent::RightButtonUp);
                break;
            default:
                break;
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

PictureBox::PictureBox(HiddenForm& parent) : impl_(std::make_unique<Impl>()) {
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

void PictureBox::setOnTrayEvent(std::function<void(TrayMouseEvent)> handler) {
    impl_->onTrayEvent = std::move(handler);
}

}  // namespace platform
