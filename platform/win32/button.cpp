// Push buttons; the default and cancel buttons carry the ids IsDialogMessage
// clicks for Enter and Esc.
#include "platform/win32/form_impl.h"

namespace platform {

namespace {

int IdOf(ButtonRole role) {
    switch (role) {
        case ButtonRole::Default:
            return IDOK;
        case ButtonRole::Cancel:
            return IDCANCEL;
        case ButtonRole::Plain:
            break;
    }
    return 0;
}

}  // namespace

Button::Button(Form& form, int page, TwipRect rect, const std::string& caption, ButtonRole role) {
    win32::CreateChild(
        form, *impl_,
        {.kind = ControlKind::Button,
         .page = page,
         .className = "BUTTON",
         .style = static_cast<DWORD>(
             (role == ButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP),
         .text = caption,
         .place = rect,
         .id = IdOf(role)});
}

void Button::setOnClick(std::function<void()> handler) {
    impl_->onClick = std::move(handler);
}

}  // namespace platform
