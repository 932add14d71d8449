// Helpers of the widget tests: native handles, the screen's DPI as Windows
// reports it, and keys held down for the length of a scope.
#pragma once

#include <windows.h>

#include <array>
#include <initializer_list>

#include "platform/widgets.h"

namespace widget_test {

inline HWND Native(platform::Handle handle) {
    return reinterpret_cast<HWND>(handle);
}

template <typename Widget>
HWND Native(const Widget& widget) {
    return Native(widget.handle());
}

// Asked of Windows here, not of the layer under test.
inline int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

inline int Px(int twips) {
    return MulDiv(twips, ScreenDpi(), 1440);
}

// Label styles with one feature each.
inline platform::LabelStyle Bold() {
    platform::LabelStyle style;
    style.bold = true;
    return style;
}

inline platform::LabelStyle Link() {
    platform::LabelStyle style;
    style.link = true;
    return style;
}

inline platform::LabelStyle AutoSize() {
    platform::LabelStyle style;
    style.autoSize = true;
    return style;
}

inline platform::LabelStyle AutoSizeLink() {
    platform::LabelStyle style = Link();
    style.autoSize = true;
    return style;
}

inline platform::LabelStyle WithTooltip(const char* tooltip) {
    platform::LabelStyle style;
    style.tooltip = tooltip;
    return style;
}

// The control's rectangle in the client area of its parent.
inline RECT PlaceOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The thread's keyboard state with these keys down, as GetKeyState reports
// them while a message is handled; the old state comes back at the end.
class KeysDown {
  public:
    explicit KeysDown(std::initializer_list<int> keys) {
        GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state = saved_;
        for (const int key : keys) state[static_cast<std::size_t>(key)] = 0x80;
        SetKeyboardState(state.data());
    }
    ~KeysDown() { SetKeyboardState(saved_.data()); }
    KeysDown(const KeysDown&) = delete;
    KeysDown& operator=(const KeysDown&) = delete;

  private:
    std::array<BYTE, 256> saved_{};
};

// A WM_SETCURSOR as Windows sends it when the mouse moves over window: to the
// window itself, which passes it on to its parent first.
inline void MoveMouseOver(HWND window) {
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

}  // namespace widget_test
