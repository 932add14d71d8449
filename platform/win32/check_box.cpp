// Check boxes with three states. The state changes here rather than in the
// control (BS_3STATE, not BS_AUTO3STATE): a user's click must never lead to the
// grayed state, which only the program sets.
#include "platform/win32/form_impl.h"

namespace platform {

namespace win32 {

void ClickCheckBox(Control::Impl& checkBox) {
    const HWND window = checkBox.window.get();
    const bool checked = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(window, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    CallHandler(checkBox.onClick);
}

}  // namespace win32

CheckBox::CheckBox(Form& form, int page, TwipRect rect, const std::string& caption,
                   const std::string& tooltip) {
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::CheckBox,
                        .page = page,
                        .className = "BUTTON",
                        .style = BS_3STATE | WS_TABSTOP,
                        .text = caption,
                        .place = rect});
    if (!tooltip.empty()) win32::AddTooltip(*impl_, tooltip);
}

int CheckBox::value() const {
    return static_cast<int>(SendMessageA(impl_->window.get(), BM_GETCHECK, 0, 0));
}

void CheckBox::setValue(int value) {
    if (value == this->value()) return;
    SendMessageA(impl_->window.get(), BM_SETCHECK, static_cast<WPARAM>(value), 0);
    // A copy: the handler may destroy this box. Called from the program, not
    // from a window procedure, so what it throws goes back to the caller.
    const std::function<void()> handler = impl_->onClick;
    if (handler) handler();
}

void CheckBox::setOnClick(std::function<void()> handler) {
    impl_->onClick = std::move(handler);
}

}  // namespace platform
