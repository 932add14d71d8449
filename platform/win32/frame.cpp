// Group boxes.
#include "platform/win32/form_impl.h"

namespace platform {

Frame::Frame(Form& form, int page, TwipRect rect, const std::string& caption) {
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::Frame,
                        .page = page,
                        .className = "BUTTON",
                        .style = BS_GROUPBOX,
                        .text = caption,
                        .place = rect});
}

}  // namespace platform
