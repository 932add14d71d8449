// Labels: static text, shown literally, optionally bold, wrapping, sized to its
// text, or a blue underlined link that takes clicks.
#include "platform/win32/form_impl.h"

namespace platform {

namespace {

void FitWidthToText(HWND label) {
    const std::string text = win32::WindowText(label);
    SIZE extent{};
    {
        const win32::WindowDC dc(label);
        const win32::SelectedObject font(
            dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
    }
    RECT place{};
    GetWindowRect(label, &place);
    SetWindowPos(label, nullptr, 0, 0, extent.cx, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Label::Label(Form& form, int page, TwipRect rect, const std::string& caption, LabelStyle style) {
    // SS_NOTIFY: clicks and the mouse reach the label (and through it the
    // form) instead of passing through to what lies beneath.
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::Label,
                        .page = page,
                        .className = "STATIC",
                        .style = static_cast<DWORD>(SS_NOTIFY | SS_NOPREFIX |
                                                    (style.wrap ? SS_LEFT : SS_LEFTNOWORDWRAP)),
                        .text = caption,
                        .rect = win32::ToPixels(rect),
                        .bold = style.bold,
                        .underline = style.link});
    impl_->link = style.link;
    impl_->autoSize = style.autoSize;
    if (impl_->autoSize) FitWidthToText(impl_->window.get());
    if (!style.tooltip.empty()) win32::AddTooltip(*impl_, style.tooltip);
}

std::string Label::text() const {
    return win32::WindowText(impl_->window.get());
}

void Label::setText(const std::string& text) {
    SetWindowTextA(impl_->window.get(), text.c_str());
    if (impl_->autoSize) FitWidthToText(impl_->window.get());
}

void Label::setOnClick(std::function<void()> handler) {
    impl_->onClick = std::move(handler);
}

void Label::setOnMouseMove(std::function<void()> handler) {
    impl_->onMouseMove = std::move(handler);
}

}  // namespace platform
