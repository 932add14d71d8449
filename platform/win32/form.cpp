// The main window's form: a fixed-size top-level window laid out in twips.
#include <algorithm>
#include <utility>

#include "platform/win32/form_impl.h"
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include "platform/win32/keyboard_forms.h"
#include "platform/win32/screen_pointer.h"

namespace platform {

namespace {

// A fixed single border with a minimise button and a close box, no maximise.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

}  // namespace

Form::Impl::~Impl() {
    win32::RemoveKeyboardForm(window.get());
    // The hand, destroyed with the form, may be the pointer on the screen.
    win32::StopShowingCursor(handCursor.get(), LoadCursorA(nullptr, IDC_ARROW));
    // The form's window takes its child windows along when it goes; controls
    // that live on must neither destroy them again nor reach the form.
    for (Control::Impl* control : controls) {
        control->form = nullptr;
        SetWindowLongPtrA(control->window.release(), GWLP_USERDATA, 0);
    }
}

Control::Impl* Form::Impl::find(HWND child) const {
    const auto found =
        std::find_if(controls.begin(), controls.end(),
                     [child](const Control::Impl* c) { return c->window.get() == child; });
    return found != controls.end() ? *found : nullptr;
}

int Form::Impl::selectedPage() const {
    if (tabStrip == nullptr) return 0;
    return static_cast<int>(SendMessageA(tabStrip->window.get(), TCM_GETCURSEL, 0, 0));
}

void Form::Impl::showSelectedPage() const {
    const int page = selectedPage();
    for (const Control::Impl* control : controls) {
        if (control->page != kOnForm) {
            ShowWindow(control->window.get(), control->page == page ? SW_SHOWNA : SW_HIDE);
            win32::PlaceTooltip(*control);
        }
    }
}

void Form::Impl::keepTabStripAtBottom() const {
    // Painting first and underneath, with its siblings clipped out of what it
    // paints, it never covers the controls on its pages. The Tab key follows
    // the z-order and so reaches it after the other controls, which in a
    // cycle is the same as first.
    if (tabStrip == nullptr) return;
    SetWindowPos(tabStrip->window.get(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::Impl::restoreFocus() const {
    const auto canTakeFocus = [this](HWND child) {
        return child != nullptr && IsChild(window.get(), child) && IsWindowVisible(child) &&
               IsWindowEnabled(child);
    };
    HWND target = lastFocus;
    if (!canTakeFocus(target)) target = tabStrip != nullptr ? tabStrip->window.get() : nullptr;
    if (!canTakeFocus(target)) target = GetNextDlgTabItem(window.get(), nullptr, FALSE);
    if (canTakeFocus(target)) SetFocus(target);
}

Form::Form(int clientWidthTwips, int clientHeightTwips) : impl_(std::make_unique<Impl>()) {
    Impl& form = *impl_;
    form.window = win32::CreateProgramWindow(
        {.className = "Orbiquell.Form",
         .procedure = &win32::FormProcedure,
         .exStyle = kFormExStyle,
         .style = kFormStyle,
         .background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))},
        &form);
    const HWND window = form.window.get();
    form.dpi = win32::WindowDpi(window);
    // No control has a font yet.
    static_cast<void>(form.fonts.rescale(form.dpi));
    form.clientWidthTwips = clientWidthTwips;
    form.clientHeightTwips = clientHeightTwips;
    form.placeWindow(0, 0, SWP_NOMOVE);
    form.loadImages();
    win32::AddKeyboardForm(window);
}

Form::~Form() = default;

Handle Form::handle() const {
    return win32::ToHandle(impl_->window.get());
}

void Form::setCaption(const std::string& caption) {
    SetWindowTextA(impl_->window.get(), caption.c_str());
}

std::string Form::caption() const {
    return win32::WindowText(impl_->window.get());
}

void Form::centre() {
    const HWND window = impl_->window.get();
    // The screen, not the work area: Wine's taskbar reports a work area that
    // is briefly wrong while a session starts at a raised DPI, and a window
    // centred on it opened with its title bar above the screen.
    RECT frame{};
    GetWindowRect(window, &frame);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ShowWindow runs the resize handler, which may take the form away; nothing of
// the form is touched after it, only the window's handle.
void Form::show() {
    const HWND window = impl_->window.get();
    const bool restore = std::exchange(impl_->restorePending, false);
    // Underlines and focus rectangles as Windows shows them in a fresh dialog:
    // hidden after a mouse click, shown after a key.
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    ShowWindow(window, restore ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

void Form::hide() {
    ShowWindow(impl_->window.get(), SW_HIDE);
}

bool Form::visible() const {
    return IsWindowVisible(impl_->window.get()) != FALSE;
}

WindowState Form::windowState() const {
    return IsIconic(impl_->window.get()) && !impl_->restorePending ? WindowState::Minimized
                                                                   : WindowState::Normal;
}

void Form::setWindowState(WindowState state) {
    const HWND window = impl_->window.get();
    const bool minimised = IsIconic(window) != FALSE;
    if (state == WindowState::Minimized) {
        impl_->restorePending = false;
        // Windows sends WM_SIZE, and with it runs the resize handler, before
        // ShowWindow returns.
        if (!minimised) ShowWindow(window, SW_MINIMIZE);
        return;
    }
    // A hidden window would be shown by SW_RESTORE: it waits for show().
    impl_->restorePending = minimised && !IsWindowVisible(window);
    if (minimised && !impl_->restorePending) ShowWindow(window, SW_RESTORE);
}

void Form::setPointer(Pointer pointer) {
    impl_->pointer = pointer;
}

Pointer Form::pointer() const {
    return impl_->pointer;
}

void Form::setOnClose(std::function<void()> handler) {
    impl_->onClose = std::move(handler);
}

void Form::setOnResize(std::function<void()> handler) {
    impl_->onResize = std::move(handler);
}

void Form::setOnMouseMove(std::function<void()> handler) {
    impl_->onMouseMove = std::move(handler);
}

void Form::setOnDpiChanged(std::function<void()> handler) {
    impl_->onDpiChanged = std::move(handler);
}

}  // namespace platform
