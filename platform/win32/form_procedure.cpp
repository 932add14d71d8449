// The form's window procedure: the close box, size changes, the pointer, the
// keyboard focus, and the notifications of its controls, each routed to the
// program's handler.
#include "platform/win32/form_impl.h"
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include "platform/win32/screen_pointer.h"

namespace platform::win32 {

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

void OnCommand(Form::Impl& form, HWND window, WPARAM wParam, LPARAM lParam) {
    HWND source = reinterpret_cast<HWND>(lParam);
    // IsDialogMessage reports Enter and Esc as IDOK and IDCANCEL; without a
    // control of that id the command comes from nowhere.
    if (source == nullptr && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        source = GetDlgItem(window, LOWORD(wParam));
    }
    Control::Impl* control = form.find(source);
    // BN_CLICKED and STN_CLICKED are the same code.
    if (control == nullptr || HIWORD(wParam) != BN_CLICKED) return;
    switch (control->kind) {
        case ControlKind::Button:
        case ControlKind::Label:
            CallHandler(control->onClick);
            break;
        case ControlKind::CheckBox:
            ClickCheckBox(*control);
            break;
        default:
            break;
    }
}

LRESULT OnControlColour(const Form::Impl& form, HDC dc, HWND child) {
    const Control::Impl* control = form.find(child);
    // Read-only edits ask here too; a display field is drawn like an input
    // field unless it was given the button face.
    const bool field =
        control != nullptr && control->kind == ControlKind::TextField && !control->buttonFace;
    const int background = field ? COLOR_WINDOW : COLOR_BTNFACE;
    const bool link = control != nullptr && control->link;
    SetTextColor(dc, link ? kLinkBlue : GetSysColor(field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

// The form's surface, its tab control, its labels and pictures show the form's
// pointer after their mouse-move handler ran (lines let the mouse through to
// what lies beneath); other controls keep their own. Returns whether the
// cursor was set.
bool OnSetCursor(HWND window, HWND target, WORD hitTest) {
    if (ScreenPointerBusy()) {
        SetCursor(BusyCursor());
        return true;
    }
    if (hitTest != HTCLIENT) return false;
    Form::Impl* form = WidgetOf<Form::Impl>(window);
    if (target == window) {
        CallHandler(form->onMouseMove);
    } else {
        const Control::Impl* control = form->find(target);
        if (control == nullptr) return false;
        switch (control->kind) {
            case ControlKind::TabStrip:
            case ControlKind::Label:
            case ControlKind::IconPicture:
                CallHandler(control->onMouseMove);
                break;
            default:
                return false;
        }
    }
    // The handler may have unloaded the form.
    form = WidgetOf<Form::Impl>(window);
    if (form == nullptr) return true;
    SetCursor(PointerCursor(form->pointer, form->handCursor.get()));
    return true;
}

bool OnSysCommand(Form::Impl& form, WPARAM wParam, LPARAM lParam) {
    // Releasing Alt alone opens the system menu (SC_KEYMENU from the
    // keyboard, lParam 0); after a click with Alt held the user meant the
    // click, and the menu would swallow the next key or click.
    if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && form.mouseDownWithAlt) {
        form.mouseDownWithAlt = false;
        return true;
    }
    return false;
}

}  // namespace

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form::Impl* form = WidgetOf<Form::Impl>(window);
    if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        // The close handler decides what happens to the window; the default
        // handling would destroy it at once.
        case WM_CLOSE:
            CallHandler(form->onClose);
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && form->placePending) {
                form->placePending = false;
                RECT frame{};
                GetWindowRect(window, &frame);
                // Sends WM_SIZE again, which runs the resize handler.
                form->placeWindow(frame.left, frame.top, 0);
                return 0;
            }
            CallHandler(form->onResize);
            return 0;
        // Windows moved the window to a screen of another scale, or the user
        // changed the scale of its screen: the DPI comes in wParam (the same
        // across and down), the place Windows suggests at lParam.
        case WM_DPICHANGED:
            form->changeDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            CallHandler(form->onDpiChanged);
            return 0;
        case WM_COMMAND:
            OnCommand(*form, window, wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == static_cast<UINT>(TCN_SELCHANGE) && form->tabStrip != nullptr &&
                header->hwndFrom == form->tabStrip->window.get()) {
                form->showSelectedPage();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return OnControlColour(*form, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (OnSetCursor(window, reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
            break;
        // Plain windows give the focus to themselves when activated; a form
        // gives it back to the control that had it, as a dialog does.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window, focus)) form->lastFocus = focus;
            }
            break;
        case WM_SETFOCUS:
            form->restoreFocus();
            return 0;
        case WM_SYSCOMMAND:
            if (OnSysCommand(*form, wParam, lParam)) return 0;
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace platform::win32
