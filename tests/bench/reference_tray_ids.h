// Resource ids of the reference tray program, read by the resource compiler and
// C++: plain #defines only.
#pragma once

#define IDI_REFERENCE_TRAY 1
