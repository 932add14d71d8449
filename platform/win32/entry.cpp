// The Windows entry point of Orbiquell.exe.
#include <windows.h>

#include <cstdlib>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The arguments are fetched through the platform layer where they are
    // needed. An exception that reaches this far has nowhere to be shown: the
    // program has no log and speaks to the user only through its own boxes.
    try {
        return RunOrbiquell();
    } catch (...) {
        return EXIT_FAILURE;
    }
}
