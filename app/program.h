// The program from start to end.
#pragma once

// Loads the tray form (the start-up sequence), serves messages until the
// program ends, and returns the exit code.
int RunOrbiquell();
