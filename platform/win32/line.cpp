// Etched horizontal separator lines.
#include "platform/win32/form_impl.h"

namespace platform {

// Without SS_NOTIFY the line lets the mouse through to what lies beneath, as a
// drawn line would.
Line::Line(Form& form, int page, int x1, int y, int x2) {
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::Line,
                        .page = page,
                        .className = "STATIC",
                        .style = SS_ETCHEDHORZ,
                        .place = {x1, y, x2 - x1, 0}});
}

}  // namespace platform
