// Resource ids of Orbiquell.exe, read by both the resource compiler and C++:
// plain #defines only.
#pragma once

// The application icon; the lowest icon id, so the one Explorer shows.
#define IDI_APP 1
// The tray icon until the tray's own image set exists.
#define IDI_TRAY_PLACEHOLDER 100
