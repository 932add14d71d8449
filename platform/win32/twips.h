// Twips (1440 to the inch) and the screen's pixels. A form is laid out at the
// DPI of the screen it is on, which changes while the program runs when the
// form moves to a screen of another scale or the user changes the scale.
#pragma once

#include "platform/win32/native.h"

namespace platform::win32 {

constexpr int kDefaultDpi = 96;

// LOGPIXELSX of the screen when the session started (the system DPI): 96 at
// 100 %, 144 at 150 %.
int SystemDpi();
// The DPI Windows draws the window at: that of its screen where Windows scales
// each screen on its own (8.1 on), else the system DPI.
int WindowDpi(HWND window);
// GetSystemMetrics at this DPI where Windows tells it (10 1607 on); elsewhere
// the system's metric, which those Windows use at every scale.
int MetricForDpi(int index, int dpi);
// Both round to the nearest whole unit, as MulDiv does.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);
// A pixel size drawn for 96 DPI, at this DPI.
int ScaledPixels(int pixelsAt96Dpi, int dpi);

}  // namespace platform::win32
