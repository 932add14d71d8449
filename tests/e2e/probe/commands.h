// The probe's commands that live in files of their own (see probe.cpp for the
// list and the output format).
#pragma once

namespace probe {

// controls CLASS: a top-level window of CLASS (a visible one if there is one)
// and every window inside it.
int CommandControls(const wchar_t* className);

// record FILE ARGUMENTS...: appends one line with the arguments to FILE.
int CommandRecord(const char* file, int count, char** arguments);

// resources CLASS: the windows and GDI objects of the process that owns a
// top-level window of CLASS.
int CommandResources(const wchar_t* className);

// Whether this copy of the probe is named program ("rundll32.exe").
bool StandsInFor(const wchar_t* program);
// As a stand-in: appends "show=N" (the window style it was started with) and
// its arguments to started.txt beside itself.
int CommandStandIn(int count, char** arguments);

}  // namespace probe
