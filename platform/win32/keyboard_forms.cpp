#include "platform/win32/keyboard_forms.h"

#include <algorithm>
#include <vector>

#include "platform/win32/form_impl.h"

namespace platform::win32 {

namespace {

std::vector<HWND>& KeyboardForms() {
    static std::vector<HWND> forms;
    return forms;
}

// Underlines and focus rectangles stay hidden until the keyboard is used, as
// Windows does for dialogs: Alt reveals both, Tab and the arrows the focus.
void RevealKeyboardCues(HWND form, const MSG& message) {
    WORD cues = 0;
    if (message.message == WM_SYSKEYDOWN) {
        cues = UISF_HIDEACCEL | UISF_HIDEFOCUS;
    } else if (message.message == WM_KEYDOWN &&
               (message.wParam == VK_TAB ||
                (message.wParam >= VK_LEFT && message.wParam <= VK_DOWN))) {
        cues = UISF_HIDEFOCUS;
    }
    if (cues != 0) SendMessageA(form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

}  // namespace

void AddKeyboardForm(HWND form) {
    KeyboardForms().push_back(form);
}

void RemoveKeyboardForm(HWND form) {
    std::erase(KeyboardForms(), form);
}

bool RouteToKeyboardForm(MSG& message) {
    for (const HWND form : KeyboardForms()) {
        if (!IsWindowVisible(form) || (message.hwnd != form && !IsChild(form, message.hwnd))) {
            continue;
        }
        // A fresh press of Alt starts a new chance for a click with Alt held
        // (see Form::Impl::mouseDownWithAlt).
        if (message.message == WM_SYSKEYDOWN && message.wParam == VK_MENU &&
            (HIWORD(message.lParam) & KF_REPEAT) == 0) {
            if (auto* impl = WidgetOf<Form::Impl>(form)) impl->mouseDownWithAlt = false;
        }
        RevealKeyboardCues(form, message);
        return IsDialogMessageA(form, &message) != FALSE;
    }
    return false;
}

}  // namespace platform::win32
