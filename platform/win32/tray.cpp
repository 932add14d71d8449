// The notification-area icon.
#include <algorithm>
#include <iterator>

#include "platform/win32/native.h"
#include "platform/win32/notify_record.h"

namespace platform {

namespace win32 {

static_assert(sizeof(NotifyIconData::szTip) == 64);
// The 88-byte record of the first shell interface, where handles are 32 bits.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);

NOTIFYICONDATAA ToNativeRecord(const NotifyIconData& data) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = ToNative<HWND>(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags;
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = ToNative<HICON>(data.hIcon);
    // All 64 bytes, as built by the caller: a tip that fills the field carries
    // no NUL, and the shell stops at the field's end.
    std::copy(std::begin(data.szTip), std::end(data.szTip), record.szTip);
    return record;
}

}  // namespace win32

int NotifyIcon(std::uint32_t message, const NotifyIconData& data) {
    NOTIFYICONDATAA record = win32::ToNativeRecord(data);
    return Shell_NotifyIconA(message, &record) ? 1 : 0;
}

}  // namespace platform
