// A picture of one of the program's icons that reports mouse buttons going
// down on it.
#include "platform/win32/form_impl.h"
#include "platform/win32/twips.h"

namespace platform {

namespace {

constexpr int kIconPixelsAt96Dpi = 32;

int ModifierKeys() {
    // The keys' state when the message was posted, not now.
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

void MouseDown(Control::Impl& picture, int button) {
    const int shift = ModifierKeys();
    if ((shift & kAltMask) != 0 && picture.form != nullptr) picture.form->mouseDownWithAlt = true;
    win32::CallHandler(picture.onMouseDown, button, shift);
}

LRESULT CALLBACK IconPictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control::Impl* picture = win32::WidgetOf<Control::Impl>(window);
    if (picture != nullptr) {
        switch (message) {
            case WM_PAINT: {
                const win32::PaintDC paint(window);
                if (picture->icon) {
                    DrawIconEx(paint.get(), 0, 0, picture->icon.get(), picture->iconSize,
                               picture->iconSize, 0, nullptr, DI_NORMAL);
                }
                return 0;
            }
            case WM_LBUTTONDOWN:
                MouseDown(*picture, kLeftButton);
                return 0;
            case WM_RBUTTONDOWN:
                MouseDown(*picture, kRightButton);
                return 0;
            case WM_MBUTTONDOWN:
                MouseDown(*picture, kMiddleButton);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

namespace win32 {

// Loaded at the size it is drawn, so that Windows picks the nearest image of
// the icon rather than stretching one.
void LoadPicture(Control::Impl& picture, int dpi) {
    picture.iconSize = ScaledPixels(kIconPixelsAt96Dpi, dpi);
    picture.icon.reset(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture.resourceId), IMAGE_ICON,
                   picture.iconSize, picture.iconSize, 0)));
    InvalidateRect(picture.window.get(), nullptr, TRUE);
}

}  // namespace win32

IconPicture::IconPicture(Form& form, int page, TwipRect rect, int resourceId) {
    constexpr const char* kClassName = "Orbiquell.IconPicture";
    win32::RegisterProgramClass(
        {.className = kClassName,
         .procedure = &IconPictureProcedure,
         .background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))});
    win32::CreateChild(
        form, *impl_,
        {.kind = ControlKind::IconPicture, .page = page, .className = kClassName, .place = rect});
    impl_->resourceId = resourceId;
    win32::LoadPicture(*impl_, form.impl().dpi);
    SetWindowLongPtrA(impl_->window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl_.get()));
}

void IconPicture::setOnMouseDown(std::function<void(int button, int shift)> handler) {
    impl_->onMouseDown = std::move(handler);
}

}  // namespace platform
