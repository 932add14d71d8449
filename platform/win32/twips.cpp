#include "platform/win32/twips.h"

#include "platform/win32/gdi_objects.h"

namespace platform::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultDpi = 96;

}  // namespace

int SystemDpi() {
    // The manifest declares the process system-DPI aware, so the screen's DPI
    // cannot change while it runs; asking once is enough.
    static const int dpi = [] {
        const WindowDC screen(nullptr);
        const int reported = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
        return reported > 0 ? reported : kDefaultDpi;
    }();
    return dpi;
}

int TwipsToPixels(int twips) {
    return MulDiv(twips, SystemDpi(), kTwipsPerInch);
}

int PixelsToTwips(int pixels) {
    return MulDiv(pixels, kTwipsPerInch, SystemDpi());
}

int ScaledPixels(int pixelsAt96Dpi) {
    return MulDiv(pixelsAt96Dpi, SystemDpi(), kDefaultDpi);
}

}  // namespace platform::win32
