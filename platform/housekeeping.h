// Keeping a resident tray program well-behaved: common controls initialised for
// the visual style of the running system, and its working set handed back to
// Windows now and then. Neither reports anything to the user.
#pragma once

// Initialises the common controls' extended combo box classes before the main
// window creates its controls. True when the call was made, false when the
// library or its entry point is missing.
bool InitVisualStyles();

// Asks Windows to take as many pages as it can out of this process's working
// set. Nothing is examined and nothing retried.
void TrimWorkingSet();
