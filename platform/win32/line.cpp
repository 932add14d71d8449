// Etched horizontal separator lines.
#include "platform/win32/form_impl.h"
#include "platform/win32/twips.h"

namespace platform {

namespace {

// An etched line is a dark and a light pixel row, at any DPI.
constexpr int kLineHeightPx = 2;

}  // namespace

// Without SS_NOTIFY the line lets the mouse through to what lies beneath, as a
// drawn line would.
Line::Line(Form& form, int page, int x1, int y, int x2) {
    const int left = win32::TwipsToPixels(x1);
    const int top = win32::TwipsToPixels(y);
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::Line,
                        .page = page,
                        .className = "STATIC",
                        .style = SS_ETCHEDHORZ,
                        .rect = {left, top, win32::TwipsToPixels(x2), top + kLineHeightPx}});
}

}  // namespace platform
