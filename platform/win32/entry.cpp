// The Windows entry point of Orbiquell.exe.
#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The arguments are fetched through the platform layer where they are
    // needed; nothing escapes the program, which ends through its own
    // shutdown steps whatever happens.
    return RunOrbiquell();
}
