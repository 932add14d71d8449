// The record Shell_NotifyIconA receives, and the callback that comes back.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win32/native.h"
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace platform::win32 {

// The program's icon is the one its window has under this id.
constexpr UINT kTrayIconId = 9999;
// The shell reports the mouse over the icon with this message to the window,
// the mouse message that happened in the low word of lParam.
constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

// The first ANSI form of the record (NOTIFYICONDATAA_V1_SIZE: 88 bytes on
// 32-bit Windows, more on 64-bit where handles are wider), all zero but the
// window, the id and flags; the shell reads no field beyond the 64-byte tip.
NOTIFYICONDATAA TrayRecord(HWND window, UINT flags);

// The first form's tip field: the first 64 characters of szTip, which later
// forms of the record made longer.
constexpr std::size_t kTipFieldSize = 64;
static_assert(sizeof(NOTIFYICONDATAA::szTip) >= kTipFieldSize);

// Places the tip in the field: the text, a NUL, then blanks. A text that does
// not fit with its NUL is cut to 63 characters, so that the shell never reads
// past the field.
void FillTipField(char* field, const std::string& text);

}  // namespace platform::win32
