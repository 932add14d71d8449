// Display fields: single-line read-only edits, selectable but no tab stop.
#include "platform/win32/form_impl.h"

namespace platform {

TextField::TextField(Form& form, int page, TwipRect rect) {
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::TextField,
                        .page = page,
                        .className = "EDIT",
                        // Flat: the fields read like the labels beside them,
                        // and two of them share each frame's lines.
                        .style = ES_LEFT | ES_READONLY | ES_AUTOHSCROLL,
                        .place = rect});
}

std::string TextField::text() const {
    return win32::WindowText(impl_->window.get());
}

void TextField::setText(const std::string& text) {
    SetWindowTextA(impl_->window.get(), text.c_str());
}

void TextField::setButtonFaceBackground() {
    impl_->buttonFace = true;
    // The colour is asked for at each painting (WM_CTLCOLORSTATIC).
    InvalidateRect(impl_->window.get(), nullptr, TRUE);
}

bool TextField::hasButtonFaceBackground() const {
    return impl_->buttonFace;
}

}  // namespace platform
