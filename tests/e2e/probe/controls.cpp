// The "controls" command: a form and every window inside it, so that a script
// can find a control by its text, click it where it is and read its state.
#include <cstdint>
#include <cstdio>
#include <string>

#include "commands.h"
#include "window_access.h"
// commctrl.h needs windows.h (from window_access.h) before it.
#include <commctrl.h>

namespace probe {
namespace {

// The button styles whose BM_GETCHECK state means something; a push button or
// a group box always answers 0.
bool IsCheckable(HWND control) {
    if (_wcsicmp(ClassOf(control).c_str(), L"Button") != 0) return false;
    switch (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

std::string CheckedText(HWND control) {
    if (!IsCheckable(control)) return "-";
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state)) {
        return "?";
    }
    return std::to_string(state);
}

LRESULT HitTest(HWND window, int x, int y) {
    DWORD_PTR where = HTNOWHERE;
    SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &where);
    return static_cast<LRESULT>(where);
}

// Where the title bar's minimise button is, as the window itself answers
// WM_NCHITTEST along the middle of its caption: the themes of Windows and Wine
// place and size the caption buttons differently. "none" when there is none.
std::string MinimizeButton(HWND window, const RECT& rect, const RECT& client) {
    const int captionMiddle = (rect.top + client.top) / 2;
    int left = -1;
    int right = -1;
    for (int x = rect.left; x < rect.right; ++x) {
        if (HitTest(window, x, captionMiddle) != HTMINBUTTON) continue;
        if (left < 0) left = x;
        right = x + 1;
    }
    if (left < 0) return "none";
    const int middle = (left + right) / 2;
    int top = -1;
    int bottom = -1;
    for (int y = rect.top; y < client.top; ++y) {
        if (HitTest(window, middle, y) != HTMINBUTTON) continue;
        if (top < 0) top = y;
        bottom = y + 1;
    }
    return RectText(RECT{left, top, right, bottom});
}

// The tabs of a tab control: where each is on the screen, its caption and
// which one is selected. Both messages take pointers, which the control fills
// in its own process.
void PrintTabs(HWND tabs) {
    const LRESULT count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(tabs, TCM_GETCURSEL, 0, 0);
    constexpr SIZE_T kTextOffset = 256;
    constexpr int kTextChars = 256;
    RemoteBuffer remote(ProcessOf(tabs), kTextOffset + kTextChars * sizeof(wchar_t));
    if (!remote.ok()) {
        std::printf("error\tcannot reach the memory of process %lu\n", ProcessOf(tabs));
        return;
    }
    for (LRESULT i = 0; i < count; ++i) {
        RECT rect = {};
        if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(remote.at(0))) ||
            !remote.read(0, &rect, sizeof rect)) {
            continue;
        }
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);

        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(kTextOffset));
        item.cchTextMax = kTextChars;
        // A 32-bit program (the product) reads the record with its own layout;
        // its memory lies below 4 GB, so the text's address fits.
        struct TcItem32 {
            UINT mask;
            DWORD dwState;
            DWORD dwStateMask;
            DWORD pszText;
            int cchTextMax;
            int iImage;
            DWORD lParam;
        } item32 = {TCIF_TEXT,
                    0,
                    0,
                    static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(remote.at(kTextOffset))),
                    kTextChars,
                    0,
                    0};
        const bool written = remote.in32BitProcess() ? remote.write(0, &item32, sizeof item32)
                                                     : remote.write(0, &item, sizeof item);
        std::wstring text(kTextChars, L'\0');
        if (written && remote.write(kTextOffset, text.data(), 2) &&
            SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(remote.at(0))) &&
            remote.read(kTextOffset, text.data(), (kTextChars - 1) * sizeof(wchar_t))) {
            text.resize(wcslen(text.c_str()));
        } else {
            text.clear();
        }
        std::printf("tab\tcontrol=%s\tindex=%lld\tselected=%d\trect=%s\ttext=%s\n",
                    HandleText(tabs).c_str(), static_cast<long long>(i), i == selected ? 1 : 0,
                    RectText(rect).c_str(), Utf8(text).c_str());
    }
}

void PrintControls(HWND parent) {
    for (HWND control : ChildWindows(parent)) {
        RECT rect = {};
        GetWindowRect(control, &rect);
        std::printf(
            "control\thwnd=%s\tclass=%s\tid=%ld\tparent=%s\tvisible=%d\tenabled=%d\tchecked=%s\t"
            "rect=%s\ttext=%s\n",
            HandleText(control).c_str(), Utf8(ClassOf(control)).c_str(),
            static_cast<long>(GetWindowLongPtrW(control, GWLP_ID)), HandleText(parent).c_str(),
            IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
            CheckedText(control).c_str(), RectText(rect).c_str(), Utf8(TextOf(control)).c_str());
        if (ClassOf(control) == WC_TABCONTROLW) PrintTabs(control);
        PrintControls(control);
    }
}

}  // namespace

int CommandControls(const wchar_t* className) {
    HWND form = nullptr;
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) != className) continue;
        if (!form || (IsWindowVisible(w) && !IsWindowVisible(form))) form = w;
    }
    if (!form) return 1;

    RECT rect = {};
    GetWindowRect(form, &rect);
    RECT client = {};
    GetClientRect(form, &client);
    MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf(
        "form\thwnd=%s\tclass=%s\tpid=%lu\tvisible=%d\tminimized=%d\trect=%s\tclient=%s\t"
        "minimize=%s\ttext=%s\n",
        HandleText(form).c_str(), Utf8(ClassOf(form)).c_str(), ProcessOf(form),
        IsWindowVisible(form) ? 1 : 0, IsIconic(form) ? 1 : 0, RectText(rect).c_str(),
        RectText(client).c_str(), MinimizeButton(form, rect, client).c_str(),
        Utf8(TextOf(form)).c_str());
    PrintControls(form);
    return 0;
}

}  // namespace probe
