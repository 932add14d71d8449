#include "platform/win32/screen_pointer.h"

#include "platform/win32/twips.h"
#include "res/resource_ids.h"

namespace platform::win32 {

namespace {

ScreenPointer& CurrentScreenPointer() {
    static ScreenPointer pointer = ScreenPointer::Default;
    return pointer;
}

}  // namespace

bool ScreenPointerBusy() {
    return CurrentScreenPointer() == ScreenPointer::Hourglass;
}

HCURSOR BusyCursor() {
    return LoadCursorA(nullptr, IDC_WAIT);
}

HCURSOR LoadHandCursor(int dpi) {
    // At the size of the system's cursors for the form's DPI, so that it
    // matches the arrow beside it on a screen of any scale.
    return static_cast<HCURSOR>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER), IMAGE_CURSOR,
                   MetricForDpi(SM_CXCURSOR, dpi), MetricForDpi(SM_CYCURSOR, dpi), 0));
}

HCURSOR PointerCursor(Pointer pointer, HCURSOR hand) {
    return pointer == Pointer::Custom && hand != nullptr ? hand : LoadCursorA(nullptr, IDC_ARROW);
}

void StopShowingCursor(HCURSOR cursor, HCURSOR replacement) {
    if (cursor != nullptr && GetCursor() == cursor) SetCursor(replacement);
}

}  // namespace platform::win32

namespace platform {

void SetScreenPointer(ScreenPointer pointer) {
    win32::CurrentScreenPointer() = pointer;
    // The windows pick the state up at the next WM_SETCURSOR, which only comes
    // when the mouse moves; the busy work that follows may not let it move, so
    // the pointer changes now.
    SetCursor(pointer == ScreenPointer::Hourglass ? win32::BusyCursor()
                                                  : LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace platform
