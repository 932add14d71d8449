// The program from start to end.
#pragma once

// Loads the tray form (the start-up sequence), serves messages until the
// program ends, and returns the exit code: EXIT_FAILURE when an error ended
// it. However it ends, the shutdown steps have run (UnloadForms).
int RunOrbiquell() noexcept;
