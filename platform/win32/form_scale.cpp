// A form at the DPI of its screen: laid out once when it is made, and again
// whenever Windows tells it that the DPI changed, so that the result is the
// same as a form made at the new DPI.
#include <utility>

#include "platform/win32/form_impl.h"
#include "platform/win32/screen_pointer.h"
#include "res/resource_ids.h"

namespace platform {

namespace {

win32::UniqueIcon LoadApplicationIcon(int widthMetric, int heightMetric, int dpi) {
    return win32::UniqueIcon(static_cast<HICON>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
        win32::MetricForDpi(widthMetric, dpi), win32::MetricForDpi(heightMetric, dpi), 0)));
}

RECT PlaceOnForm(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void PlaceControl(Control::Impl& control, HFONT font, int oldDpi, int dpi) {
    const HWND window = control.window.get();
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Some controls make themselves larger than asked when they are created
    // (Wine's etched lines by their edge); they keep that here, as they would
    // when created at the new DPI.
    const RECT now = PlaceOnForm(window);
    const RECT asked = win32::PixelRect(control, oldDpi);
    RECT place = win32::PixelRect(control, dpi);
    place.right += (now.right - now.left) - (asked.right - asked.left);
    place.bottom += (now.bottom - now.top) - (asked.bottom - asked.top);
    // Tabs that do not fit their row make the tab control add scroll arrows,
    // which stay; a shrinking row gets its smaller tabs first.
    const bool shrinking = place.right - place.left < now.right - now.left;
    if (control.kind == ControlKind::TabStrip && shrinking) win32::SizeTabs(control, dpi);
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    switch (control.kind) {
        case ControlKind::Label:
            if (control.autoSize) win32::FitLabelToText(window);
            break;
        case ControlKind::TabStrip:
            win32::SizeTabs(control, dpi);
            break;
        case ControlKind::IconPicture:
            win32::LoadPicture(control, dpi);
            break;
        default:
            break;
    }
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

void Form::Impl::placeWindow(int x, int y, UINT flags) const {
    const HWND form = window.get();
    const int clientWidth = win32::TwipsToPixels(clientWidthTwips, dpi);
    const int clientHeight = win32::TwipsToPixels(clientHeightTwips, dpi);
    // The frame as the window itself computes it (WM_NCCALCSIZE), at the DPI
    // it is drawn at now; AdjustWindowRectEx knows only the system DPI's. The
    // rectangle asked about has room for any frame.
    constexpr int kRoom = 1000;
    const RECT outer{x, y, x + clientWidth + kRoom, y + clientHeight + kRoom};
    RECT client = outer;
    SendMessageA(form, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    const int frameWidth = (outer.right - outer.left) - (client.right - client.left);
    const int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    SetWindowPos(form, nullptr, x, y, clientWidth + frameWidth, clientHeight + frameHeight,
                 flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Impl::loadImages() {
    win32::UniqueIcon newBig = LoadApplicationIcon(SM_CXICON, SM_CYICON, dpi);
    win32::UniqueIcon newSmall = LoadApplicationIcon(SM_CXSMICON, SM_CYSMICON, dpi);
    win32::UniqueIcon newHand(win32::LoadHandCursor(dpi));
    // The caption, the taskbar and the screen still show the old images: they
    // are destroyed, by the swaps, only once the new ones stand in for them.
    SendMessageA(window.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.get()));
    SendMessageA(window.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.get()));
    win32::StopShowingCursor(handCursor.get(),
                             win32::PointerCursor(Pointer::Custom, newHand.get()));
    std::swap(bigIcon, newBig);
    std::swap(smallIcon, newSmall);
    std::swap(handCursor, newHand);
}

void Form::Impl::changeDpi(int newDpi, const RECT* suggested) {
    if (newDpi <= 0) return;
    const int oldDpi = std::exchange(dpi, newDpi);
    {
        // The old fonts go once no control uses them any more.
        const win32::FormFonts::Fonts old = fonts.rescale(dpi);
        for (Control::Impl* control : controls) {
            PlaceControl(*control, fonts.get(control->bold, control->underline), oldDpi, dpi);
        }
    }
    loadImages();
    win32::RecreateTooltips(*this);
    const HWND form = window.get();
    if (IsIconic(form)) {
        // A minimised window's size is that of its button; the normal size
        // follows at the next restore.
        placePending = true;
    } else {
        RECT frame{};
        if (suggested == nullptr) GetWindowRect(form, &frame);
        // Windows suggests a size as well, for a frame at the new DPI; the
        // client area in twips decides it here, so that it is the same as
        // after a start at this DPI, whatever rounding Windows did.
        placeWindow(suggested != nullptr ? suggested->left : frame.left,
                    suggested != nullptr ? suggested->top : frame.top, 0);
    }
    InvalidateRect(form, nullptr, TRUE);
}

}  // namespace platform
