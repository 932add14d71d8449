// The forms whose keyboard works as a dialog's: Tab and Shift+Tab move the
// focus, Enter and Esc click the default and cancel buttons, Alt with a letter
// clicks the control it underlines. The message loop offers every message to
// them first.
#pragma once

#include "platform/win32/native.h"

namespace platform::win32 {

void AddKeyboardForm(HWND form);
void RemoveKeyboardForm(HWND form);
// True when a visible form took the message (translated and dispatched it).
bool RouteToKeyboardForm(MSG& message);

}  // namespace platform::win32
