// A program that takes its time before it first waits for input, as a control
// panel that is slow to start does; the test of StartProgram starts it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Tells the test that it runs, before it sleeps.
    const HANDLE started = CreateEventA(nullptr, TRUE, TRUE, "Orbiquell.SlowStarter.Started");
    Sleep(3000);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    CloseHandle(started);
    return 0;
}
