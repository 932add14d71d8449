// The probe's commands that live in files of their own (see probe.cpp for the
// list and the output format).
#pragma once

#include "window_access.h"

namespace probe {

// controls CLASS: a top-level window of CLASS (a visible one if there is one)
// and every window inside it.
int CommandControls(const wchar_t* className);

// forget-icon CLASS ID [broadcast]: deletes the notification-area icon ID of
// the window of CLASS, as a restart of the shell loses it, and with broadcast
// sends "TaskbarCreated" as the restarted shell does; then waits up to WAIT ms
// until the shell has the icon again and prints how long that took.
int CommandForgetIcon(const wchar_t* className, UINT id, bool broadcast, DWORD waitMs);

// dpi-changed CLASS NEW OLD: sends WM_DPICHANGED with NEW DPI to the top-level
// window of CLASS (a visible one if any), with the window's rectangle scaled
// by NEW / OLD as the suggested place, written into the window's process.
int CommandDpiChanged(const wchar_t* className, int newDpi, int oldDpi);

// fill-screen: shows a see-through window without caption or frame that fills
// the primary screen from the front, until it is closed (close CLASS).
int CommandFillScreen();

// lock-key HKLM\\PATH or HKCU\\PATH: creates the key where it is missing and
// gives it an access list that lets everyone read it and nobody write it, in
// both registry views; it lasts as long as the Wine session.
int CommandLockKey(const char* name);

// hold-file PATH [CLASS]: opens the file without sharing it and keeps it so
// until the process is ended; with CLASS (not null), as a hung program that
// has a hidden window of that class and never answers its messages.
int CommandHoldFile(const char* path, const wchar_t* hungClass);

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
