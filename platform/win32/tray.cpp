// The notification-area icon.
#include <algorithm>
#include <cstring>

#include "platform/win32/notify_record.h"
#include "platform/win32/run_time_link.h"
#include "platform/win32/twips.h"

namespace platform {

namespace win32 {

// The 88-byte record of the first shell interface, where handles are 32 bits.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);

NOTIFYICONDATAA TrayRecord(HWND window, UINT flags) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = flags;
    return record;
}

void FillTipField(char* field, const std::string& text) {
    // Windows reads the tip up to its NUL, so the NUL always gets a place.
    const std::size_t length = std::min(text.size(), kTipFieldSize - 1);
    std::memset(field, ' ', kTipFieldSize);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace win32

namespace {

bool Notify(DWORD message, NOTIFYICONDATAA record) {
    return Shell_NotifyIconA(message, &record) != FALSE;
}

}  // namespace

bool TrayAdd(Handle window, Handle image, const std::string& tip) {
    NOTIFYICONDATAA record =
        win32::TrayRecord(win32::ToNative<HWND>(window), NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = win32::kTrayCallbackMessage;
    record.hIcon = win32::ToNative<HICON>(image);
    win32::FillTipField(record.szTip, tip);
    return Notify(NIM_ADD, record);
}

bool TrayModifyTip(Handle window, const std::string& tip) {
    NOTIFYICONDATAA record = win32::TrayRecord(win32::ToNative<HWND>(window), NIF_TIP);
    win32::FillTipField(record.szTip, tip);
    return Notify(NIM_MODIFY, record);
}

bool TrayModifyImage(Handle window, Handle image) {
    NOTIFYICONDATAA record = win32::TrayRecord(win32::ToNative<HWND>(window), NIF_ICON);
    record.uCallbackMessage = win32::kTrayCallbackMessage;
    record.hIcon = win32::ToNative<HICON>(image);
    return Notify(NIM_MODIFY, record);
}

bool TrayDelete(Handle window) {
    return Notify(NIM_DELETE, win32::TrayRecord(win32::ToNative<HWND>(window), 0));
}

int TrayIconSize() {
    // Windows before 10 1607 have one small-icon size for every screen, and
    // no need of the taskbar's. FindWindowA is old enough to be imported, but
    // only this path needs it, so it is looked up with the calls it serves.
    using ForDpi = int(WINAPI*)(int, UINT);
    using FindWindowFunction = HWND(WINAPI*)(LPCSTR, LPCSTR);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    static const auto forDpi = win32::FindFunction<ForDpi>(user32, "GetSystemMetricsForDpi");
    static const auto findWindow = win32::FindFunction<FindWindowFunction>(user32, "FindWindowA");
    if (forDpi == nullptr || findWindow == nullptr) return GetSystemMetrics(SM_CXSMICON);
    // The notification area is on the taskbar's screen, which need not be the
    // primary one; without a taskbar, the primary screen's DPI stands in.
    return forDpi(SM_CXSMICON,
                  static_cast<UINT>(win32::WindowDpi(findWindow("Shell_TrayWnd", nullptr))));
}

}  // namespace platform
