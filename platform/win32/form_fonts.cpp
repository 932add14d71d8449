#include "platform/win32/form_fonts.h"

#include <utility>

#include "platform/win32/twips.h"

namespace platform::win32 {

namespace {

// 8.25 points in hundredths; a negative height asks for the character height
// without the internal leading, which is how point sizes are meant.
constexpr int kHundredthsOfPoints = 825;
constexpr int kHundredthsPerInch = 7200;

UniqueFont MakeFont(bool bold, bool underline, int dpi) {
    return UniqueFont(CreateFontA(-MulDiv(kHundredthsOfPoints, dpi, kHundredthsPerInch), 0, 0, 0,
                                  bold ? FW_BOLD : FW_NORMAL, FALSE, underline ? TRUE : FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

}  // namespace

HFONT FormFonts::get(bool bold, bool underline) {
    UniqueFont& font = fonts_[(bold ? 2 : 0) + (underline ? 1 : 0)];
    if (!font) font = MakeFont(bold, underline, dpi_);
    return font.get();
}

FormFonts::Fonts FormFonts::rescale(int dpi) {
    dpi_ = dpi;
    return std::exchange(fonts_, Fonts{});
}

}  // namespace platform::win32
