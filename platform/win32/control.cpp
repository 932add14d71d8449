// What every control of a form shares: its child window, its place in twips,
// and its entry in the form's records.
#include <algorithm>

#include "platform/win32/form_impl.h"
#include "platform/win32/twips.h"

namespace platform {

namespace {

// Ids of controls without a dialog role start above IDOK, IDCANCEL and the
// other ids IsDialogMessage may ask for.
constexpr int kFirstControlId = 100;

// An etched line is a dark and a light pixel row, at any DPI.
constexpr int kLineHeightPx = 2;

RECT PlaceOnForm(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The form's DPI; a control whose form has gone has no window to measure either.
int DpiOf(const Control::Impl& control) {
    return control.form != nullptr ? control.form->dpi : win32::kDefaultDpi;
}

}  // namespace

namespace win32 {

namespace {

RECT ToPixels(TwipRect rect, int dpi) {
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return {left, top, left + TwipsToPixels(rect.width, dpi),
            top + TwipsToPixels(rect.height, dpi)};
}

}  // namespace

RECT PixelRect(const Control::Impl& control, int dpi) {
    const TwipRect& place = control.place;
    if (control.kind != ControlKind::Line) return ToPixels(place, dpi);
    // A line's ends are points in twips, and its width the same two pixel rows.
    const int top = TwipsToPixels(place.top, dpi);
    return {TwipsToPixels(place.left, dpi), top, TwipsToPixels(place.left + place.width, dpi),
            top + kLineHeightPx};
}

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CreateChild(Form& owner, Control::Impl& control, const ChildWindow& child) {
    Form::Impl& form = owner.impl();
    const bool visible = child.page == kOnForm || child.page == form.selectedPage();
    const int id = child.id != 0 ? child.id : kFirstControlId + form.nextControlId++;
    control.kind = child.kind;
    control.place = child.place;
    const RECT rect = PixelRect(control, form.dpi);
    control.window.reset(CreateWindowExA(
        child.exStyle, child.className, child.text.c_str(),
        WS_CHILD | (visible ? WS_VISIBLE : 0) | child.style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, form.window.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr));
    if (!control.window) ThrowLastError("CreateWindowExA");
    SendMessageA(control.window.get(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(form.fonts.get(child.bold, child.underline)), FALSE);
    control.bold = child.bold;
    control.underline = child.underline;
    control.page = child.page;
    control.form = &form;
    form.controls.push_back(&control);
    form.keepTabStripAtBottom();
}

}  // namespace win32

Control::Control() : impl_(std::make_unique<Impl>()) {}

Control::~Control() {
    Form::Impl* form = impl_->form;
    if (form == nullptr) return;
    win32::RemoveTooltip(*impl_);
    std::erase(form->controls, impl_.get());
    if (form->tabStrip == impl_.get()) form->tabStrip = nullptr;
    if (form->lastFocus == impl_->window.get()) form->lastFocus = nullptr;
}

Handle Control::handle() const {
    return win32::ToHandle(impl_->window.get());
}

int Control::left() const {
    return win32::PixelsToTwips(PlaceOnForm(impl_->window.get()).left, DpiOf(*impl_));
}

int Control::width() const {
    const RECT place = PlaceOnForm(impl_->window.get());
    return win32::PixelsToTwips(place.right - place.left, DpiOf(*impl_));
}

void Control::setEnabled(bool enabled) {
    // The tooltip is entered anew: where it watches depends on the state.
    const std::string tooltip = impl_->hasTooltip ? impl_->tooltip : std::string();
    win32::RemoveTooltip(*impl_);
    EnableWindow(impl_->window.get(), enabled ? TRUE : FALSE);
    if (!tooltip.empty()) win32::AddTooltip(*impl_, tooltip);
}

void Control::setTooltip(const std::string& text) {
    win32::RemoveTooltip(*impl_);
    win32::AddTooltip(*impl_, text);
}

void Control::setLeft(int twips) {
    const HWND window = impl_->window.get();
    impl_->place.left = twips;
    SetWindowPos(window, nullptr, win32::TwipsToPixels(twips, DpiOf(*impl_)),
                 PlaceOnForm(window).top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
