// Resource ids of Orbiquell.exe, read by both the resource compiler and C++:
// plain #defines only.
#pragma once

// The application icon; the lowest icon id, so the one Explorer shows.
#define IDI_APP 1

// The tray icon's images, one icon each, drawn in 16, 20, 24 and 32 pixels.
// Tens name the family (the hot-corner state), units the network activity:
// 0 nothing, 1 received, 2 sent, 3 both.
#define IDI_ICON_NONE 100
#define IDI_ICON_RX 101
#define IDI_ICON_TX 102
#define IDI_ICON_RXTX 103
#define IDI_SLEEPER_DISABLED_NONE 110
#define IDI_SLEEPER_DISABLED_RX 111
#define IDI_SLEEPER_DISABLED_TX 112
#define IDI_SLEEPER_DISABLED_RXTX 113
#define IDI_SLEEP_NEVER_NONE 120
#define IDI_SLEEP_NEVER_RX 121
#define IDI_SLEEP_NEVER_TX 122
#define IDI_SLEEP_NEVER_RXTX 123
#define IDI_SLEEP_NOW 130

// The pointing hand over the main window's links, drawn by tools/make_cursor.py.
#define IDC_HAND_POINTER 200
