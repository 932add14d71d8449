// The pointer the program's windows show: the process-wide busy state that
// SetScreenPointer sets, and the cursor of a form's own pointer setting.
#pragma once

#include "platform/widgets.h"
#include "platform/win32/native.h"

namespace platform::win32 {

// True between SetScreenPointer(Hourglass) and SetScreenPointer(Default).
bool ScreenPointerBusy();
HCURSOR BusyCursor();
// The pointing hand drawn for the program (IDC_HAND_POINTER) at the cursor
// size of this DPI; null when it cannot be loaded.
HCURSOR LoadHandCursor(int dpi);
// The arrow, or the hand given; the arrow stands in for a hand that could not
// be loaded, rather than no pointer at all.
HCURSOR PointerCursor(Pointer pointer, HCURSOR hand);
// Shows replacement in place of cursor if cursor is the pointer now, so that
// cursor can be destroyed: a cursor in use must not be.
void StopShowingCursor(HCURSOR cursor, HCURSOR replacement);

}  // namespace platform::win32
