// The fonts of one form: Tahoma 8.25 pt at the system DPI, regular, bold,
// underlined (links) or both, each made on first use and deleted with the form.
#pragma once

#include <array>

#include "platform/win32/gdi_objects.h"

namespace platform::win32 {

class FormFonts {
  public:
    FormFonts() = default;
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;
    ~FormFonts() = default;

    // Null when Windows cannot make the font; controls then keep the system font.
    HFONT get(bool bold, bool underline);

  private:
    std::array<UniqueFont, 4> fonts_;
};

}  // namespace platform::win32
