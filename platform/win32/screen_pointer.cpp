#include "platform/win32/screen_pointer.h"

#include "res/resource_ids.h"

namespace platform::win32 {

namespace {

ScreenPointer& CurrentScreenPointer() {
    static ScreenPointer pointer = ScreenPointer::Default;
    return pointer;
}

HCURSOR HandCursor() {
    // Shared and at the system's cursor size (LR_DEFAULTSIZE), so it scales
    // with the DPI like the arrow beside it; Windows owns a shared cursor and
    // frees it with the process. Without the resource the arrow stands in,
    // rather than no pointer at all.
    static const HCURSOR hand = static_cast<HCURSOR>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER), IMAGE_CURSOR, 0,
                   0, LR_DEFAULTSIZE | LR_SHARED));
    return hand != nullptr ? hand : LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace

bool ScreenPointerBusy() {
    return CurrentScreenPointer() == ScreenPointer::Hourglass;
}

HCURSOR BusyCursor() {
    return LoadCursorA(nullptr, IDC_WAIT);
}

HCURSOR PointerCursor(Pointer pointer) {
    return pointer == Pointer::Custom ? HandCursor() : LoadCursorA(nullptr, IDC_ARROW);
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
