// The fonts of one form: Tahoma 8.25 pt at the form's DPI, regular, bold,
// underlined (links) or both, each made on first use and deleted with the form.
#pragma once

#include <array>

#include "platform/win32/gdi_objects.h"

namespace platform::win32 {

class FormFonts {
  public:
    using Fonts = std::array<UniqueFont, 4>;

    FormFonts() = default;
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;
    ~FormFonts() = default;

    // Null when Windows cannot make the font; controls then keep the system font.
    HFONT get(bool bold, bool underline);
    // The fonts are made at this DPI from now on. Returns the fonts made
    // before, which the controls use until they are given the new ones.
    [[nodiscard]] Fonts rescale(int dpi);

  private:
    Fonts fonts_;
    int dpi_ = 96;
};

}  // namespace platform::win32
