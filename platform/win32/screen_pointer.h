// The pointer the program's windows show: the process-wide busy state that
// SetScreenPointer sets, and the cursor of a form's own pointer setting.
#pragma once

#include "platform/widgets.h"
#include "platform/win32/native.h"

namespace platform::win32 {

// True between SetScreenPointer(Hourglass) and SetScreenPointer(Default).
bool ScreenPointerBusy();
HCURSOR BusyCursor();
// The arrow, or the pointing hand drawn for the program (IDC_HAND_POINTER).
HCURSOR PointerCursor(Pointer pointer);

}  // namespace platform::win32
