// Twips (1440 to the inch) and the screen's pixels at the system DPI, the one
// scale every window of this process is laid out at.
#pragma once

#include "platform/win32/native.h"

namespace platform::win32 {

// LOGPIXELSX of the screen: 96 at 100 %, 144 at 150 %.
int SystemDpi();
// Both round to the nearest whole unit, as MulDiv does.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);
// A pixel size drawn for 96 DPI, scaled to the system DPI.
int ScaledPixels(int pixelsAt96Dpi);

}  // namespace platform::win32
