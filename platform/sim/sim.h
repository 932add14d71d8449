// Control and inspection of the simulated Windows, for tests only.
//
// The simulation behaves like Windows NT as far as the program relies on it;
// tests set up its state, run program code through the platform layer, and look
// at what the program did.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/widgets.h"

namespace sim {

// Forgets everything: an empty registry (the two roots and the standard
// Software\Microsoft\Windows\CurrentVersion\Run keys exist), no windows, no
// timers, NT 5.1, computer name "SIMPC", a high-resolution counter at 0 with a
// frequency of 10 MHz, tick count 0, local time 2005-12-06 08:04:09 and UTC
// the same, English month names, an empty System event log, screen saver
// active, no previous instance, empty command line, message boxes answered
// with IDOK, a tray that accepts everything, no forms or controls, the default
// screen pointer, no foreground window set, ShellOpen answering 42, the
// default executable path, menus dismissed.
void Reset();

// Forgets the recorded calls (message boxes, system parameter calls, sent
// messages, notification calls, common-controls calls, performance-data query
// sizes, the 9x statistics log, foreground, shell-open and program-start calls,
// menu popups, keep-awake calls) and zeroes the call counters, keeping all state; long runs use
// it to keep the records small.
void ClearRecords();

// ---- Registry ------------------------------------------------------------------
struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    // A string written with RegSetWideString as it was given; data then holds
    // what an ANSI read returns, each character outside ASCII as '?'.
    std::u16string wideText;
};
void RegPutKey(std::uint32_t root, const std::string& path);  // creates missing keys
void RegPutValue(std::uint32_t root, const std::string& path, const std::string& name,
                 std::uint32_t type, const std::vector<std::uint8_t>& data);
void RegPutString(std::uint32_t root, const std::string& path, const std::string& name,
                  const std::string& text);  // REG_SZ, text with one terminating NUL
void RegPutDword(std::uint32_t root, const std::string& path, const std::string& name,
                 std::uint32_t value);
// Removes a value, as another program or the user may at any time.
void RegRemoveValue(std::uint32_t root, const std::string& path, const std::string& name);
bool RegKeyExists(std::uint32_t root, const std::string& path);
std::optional<RegValue> RegGetValue(std::uint32_t root, const std::string& path,
                                    const std::string& name);
int RegOpenHandleCount();  // keys opened or created and not yet closed
// Makes writes below this root fail with ERROR_ACCESS_DENIED (a user without
// the right to write under HKEY_LOCAL_MACHINE).
void RegDenyWrites(std::uint32_t root, bool deny);
// The same for one key and its subkeys, whether it exists or not: an
// administrator's permissions on it.
void RegDenyWrites(std::uint32_t root, const std::string& path, bool deny);

// ---- Clock and counters --------------------------------------------------------
void SetTickCount(std::uint32_t ms);
// present = false: QueryPerformanceCounter returns 0.
void SetPerformanceCounter(bool present, std::int64_t count, std::int64_t frequency);
void SetLocalTime(const platform::LocalTime& now);
// How far the local time is ahead of UTC (negative: behind); default 0. UTC
// moves with the local time.
void SetUtcOffsetMinutes(int minutes);
void SetMonthAbbreviations(const std::vector<std::string>& twelveNames);

// ---- System identity and process -----------------------------------------------
void SetOsVersion(std::optional<platform::OsVersion> version);  // nullopt: the call fails
void SetComputerName(std::optional<std::string> name);          // nullopt: the call fails
void SetPreviousInstance(bool running);
void SetCommandLine(const std::string& arguments);

// ---- Message boxes ---------------------------------------------------------------
struct MessageBoxCall {
    platform::Handle owner = 0;
    std::string prompt;
    std::uint32_t style = 0;
    std::string title;
    platform::ScreenPointer screenPointer = platform::ScreenPointer::Default;  // while it was open
};
const std::vector<MessageBoxCall>& MessageBoxes();
// How long each message box stays open before it is answered. Time moves on
// meanwhile and timers fire, as they do while a real modal box is up.
void SetMessageBoxOpenTime(std::uint32_t ms);

// ---- Screen saver ----------------------------------------------------------------------
bool ScreenSaverActive();
void SetScreenSaverActive(bool active);
// Makes reading the flag report false and setting it change nothing, as
// when the system refuses the calls.
void SetScreenSaverFlagFails(bool fails);
// A screen saver that StartScreenSaver started runs, its captionless window in
// front of every screen (ForegroundWindowFacts), until the user ends it with a
// key or the mouse: SetScreenSaverRunning(false). Default: none runs.
void SetScreenSaverRunning(bool running);
struct ScreenSaverFlagSet {
    bool active = false;
    bool persist = false;
};
const std::vector<ScreenSaverFlagSet>& ScreenSaverFlagSets();  // in order
// The windows asked to start the screen saver, and how many of the requests
// reached a live window, which starts it.
const std::vector<platform::Handle>& ScreenSaverStartWindows();
int ScreenSaverStarts();

// ---- Notification area -------------------------------------------------------------
enum class TrayOp { Add, ModifyTip, ModifyImage, Delete };
struct NotifyCall {
    TrayOp op = TrayOp::Add;
    platform::Handle window = 0;
    platform::Handle image = 0;  // Add and ModifyImage
    std::string tip;             // Add and ModifyTip
    bool accepted = false;
};
const std::vector<NotifyCall>& NotifyCalls();
void SetTrayRefuses(bool refuses);             // every request is refused
void SetTrayRefuses(TrayOp op, bool refuses);  // requests of one kind are refused
// Runs action inside the next request, before the shell answers it: a message
// another program sends while the program waits on the shell, or, where it
// throws, a failed allocation in the program's own code. Later requests are
// served as usual.
void DuringNextNotifyIcon(std::function<void()> action);
// Forgets all icons, as when the notification area is re-created; later
// NIM_MODIFY calls for them fail until they are added again.
void RecreateTray();
// The shell's "TaskbarCreated" broadcast to every hidden form, as Explorer
// sends it once its new notification area is up.
void BroadcastTaskbarCreated();
struct TrayIcon {
    platform::Handle window = 0;
    platform::Handle image = 0;
    std::string tip;
};
std::vector<TrayIcon> TrayIcons();  // the icons the notification area shows now

// ---- Windows, timers, icons and the message loop ---------------------------------
int LiveWindowCount();
int LiveTimerCount();
int LiveIconCount();
// Moves time on by ms, firing every enabled timer whose interval elapsed, in
// order of due time; tick count and counters advance with it.
void AdvanceTime(std::uint32_t ms);
// A close request (WM_CLOSE) to one window: a form runs its close handler, a
// hidden form its unload handler. The end of the session reaches every hidden
// form's unload handler.
void CloseWindow(platform::Handle window);
void EndSession();
// What the mouse did over the tray icon, for the picture box that hears it.
void SendTrayEvent(platform::Handle pictureBox, platform::TrayMouseEvent event);
int QuitCode();
int PumpCount();  // how often PumpMessages ran
// Runs action once, inside the next message box or popup menu while it is
// open, before it is answered: what the user or Windows does meanwhile.
void DuringNextModal(std::function<void()> action);
// What the user and Windows do while the message loop waits: the loop calls
// source for the next thing to happen, and lets time pass in steps of 10 ms
// only when it answers false (nothing more happens).
void SetMessageSource(std::function<bool()> source);

// ---- The main window's widgets, as a user drives them -------------------------------
// Makes the creation of every Form fail, as a window Windows refuses to create.
void SetFormCreationFails(bool fails);
// Every Form and every control is a window of its own for LiveWindowCount.
// Destroying a form leaves its controls alone: each goes with its own object,
// before or after its form, so a control object that outlives its form still
// counts until it is destroyed too.
//
// Sizes: 15 twips to the pixel at 96 DPI (1440 twips to the inch at the
// form's DPI), rounded to the nearest pixel.
// Text widths: the simulated font is 5 pixels per character at 96 DPI, so an
// auto-size label is 75 twips wide per character of its text, set when it is
// created and whenever its text changes; other labels keep the width they
// were given. At other DPIs a character is 5 pixels scaled and rounded (8 at
// 144 DPI), as a real font's width does not follow the scale exactly.
constexpr int kTwipsPerChar = 75;
//
// A control on a tab page (page >= 0) needs its form's tab strip, created
// before it, with that page: a control created otherwise, or a second tab strip
// on one form, throws std::logic_error, as the Win32 layer could not place it.
//
// Whether a form or a control is shown on the screen now: the form is visible
// and not minimised, and the control sits on the form itself or on the selected
// page. Controls have no visibility of their own; other windows never show.
bool IsShowing(platform::Handle windowOrControl);

// What the user does. Nothing happens to a control that is not showing, or to a
// form that is hidden or minimised: a user cannot reach what is not on screen,
// nor a form while a message box it owns is open.
// Click: nothing on a disabled control; a button or a label runs its click
// handler; a check box turns from 1
// to 0 and from 0 or 2 to 1, then runs its click handler; other controls
// (a tab strip too: see SelectTab) do nothing.
void Click(platform::Handle control);
// Whether the control is enabled (Control::setEnabled), and its tooltip's text.
bool IsEnabled(platform::Handle control);
std::string TooltipOf(platform::Handle control);
// The user selects a tab: like TabStrip::select, no handler runs; a page the
// tab strip does not have is ignored.
void SelectTab(platform::Handle tabStrip, int page);
// The mouse moves over the form's surface, the tab strip's surface or a label:
// its mouse-move handler runs.
void MouseMove(platform::Handle windowOrControl);
// A mouse button goes down on an icon picture; button and shift as in widgets.h.
void MouseDown(platform::Handle control, int button, int shift);
// Enter or Esc pressed in the form: clicks its first button with the Default or
// Cancel role, on whatever page it sits; nothing if it has none.
enum class Key { Enter, Escape };
void PressKey(platform::Handle form, Key key);
// The user clicks the form's minimise button: as Form::setWindowState(Minimized).
void Minimize(platform::Handle form);
// The resize handler runs, before the call returns, exactly when the state
// changes through setWindowState or Minimize (minimised, or restored to
// normal), whether the form is visible or not; show() puts a minimised form
// back to normal without running it.
//
// CloseWindow (above) sends WM_CLOSE, which runs a form's close handler, as its
// close box does; it reaches a hidden form too, as the message would.
//
// A form's client size in pixels and the screen position of its top-left
// corner: (0, 0) until centre(), which centres the outer window, the client
// area plus a fixed frame of 6 x 25 pixels (border and caption), on the screen
// (SetScreenSize; the work area is the whole screen).
struct FormPlacement {
    int x = 0;
    int y = 0;
    int clientWidthPx = 0;
    int clientHeightPx = 0;
    bool centred = false;
};
FormPlacement PlacementOf(platform::Handle form);  // all zero for no form

// ---- Screen scale -------------------------------------------------------------------
// The DPI forms made from now on open at (default 96), and the DPI of the
// taskbar's screen, whose small-icon size, 16 pixels at 96 DPI scaled and
// rounded, TrayIconSize reports (default 96).
void SetScreenDpi(int dpi);
void SetTaskbarDpi(int dpi);
// What Windows sends when the form's screen changes scale (WM_DPICHANGED): the
// form and every control on it are laid out at the new DPI, then its DPI
// handler runs. And the broadcast of a display or settings change to every
// hidden form.
void ChangeFormDpi(platform::Handle form, int dpi);
void BroadcastDisplayChange();
// A control's place in pixels of its form's client area, as laid out at the
// form's DPI when it was made, moved or its text changed, or the DPI changed.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};
// The places of the form's controls, in the order they were made.
std::vector<PixelRect> ControlPixels(platform::Handle form);
// The size in pixels an icon was loaded at; 0 for no live icon.
int IconSize(platform::Handle icon);

// ---- Foreground, shell, programs, pointer ---------------------------------------------
const std::vector<platform::Handle>& ForegroundCalls();  // SetForegroundWindow, in order
struct ShellOpenCall {
    std::string file;
    bool hourglassWhileCalled = false;  // the screen pointer was the hourglass
};
const std::vector<ShellOpenCall>& ShellOpenCalls();
void SetShellOpenResult(std::int32_t result);  // what ShellOpen returns; default 42 (success)
struct StartedProgram {
    std::string commandLine;
    int showStyle = 0;
};
const std::vector<StartedProgram>& StartedPrograms();
platform::ScreenPointer CurrentScreenPointer();  // Default until SetScreenPointer
// Sets both forms of the path; default C:\Program Files\Orbiquell\Orbiquell.exe.
void SetExecutablePath(const std::string& path);
// The UTF-16 form alone, for a path the ANSI code page cannot hold.
void SetExecutablePathWide(const std::u16string& path);

// ---- Popup menus ------------------------------------------------------------------------
struct MenuItemState {
    std::string caption;  // "-" for a separator
    bool checked = false;
    bool enabled = true;
};
struct MenuPopup {
    platform::Handle owner = 0;
    int defaultItem = -1;
    // The last SetForegroundWindow before it opened (0: none since Reset;
    // ClearRecords keeps it).
    platform::Handle foregroundWhenOpened = 0;
    std::vector<MenuItemState> items;  // by item index
};
const std::vector<MenuPopup>& MenuPopups();  // every popup opened, as it looked when it opened
// What the user does with every popup from now on, until the next call: choose
// the first item whose caption is exactly this (as given to addItem, '&'
// included), running its handler before popup returns, or dismiss the menu
// (nullopt, the default after Reset). A caption that names no item, or a
// disabled one, dismisses the menu.
void SetMenuChoice(std::optional<std::string> caption);

// ---- Screen, cursor, network, housekeeping -----------------------------------------
void SetScreenSize(std::int32_t width, std::int32_t height);  // default 1024 x 768
void SetCursor(std::int32_t x, std::int32_t y);               // default (512, 384)
void SetCursorFails(bool fails);
// The monitors, the primary one at (0, 0) among them; by default the primary
// screen alone. A point on none belongs to the nearest.
void SetMonitors(std::vector<platform::ScreenRect> monitors);
void SetMonitorFunctionsMissing(bool missing);  // as on Windows 95 and NT 4.0
void SetForegroundWindowFacts(std::optional<platform::FrontWindow> front);  // default: none
void SetShellFullScreen(platform::ShellFullScreen state);                   // default: None
// The KeepDisplayAwake calls, in order.
const std::vector<bool>& KeepAwakeCalls();
// What ReadInterfaceTotals answers from now on (default 0 and 0); nullopt as
// a system without an interface table does. And how often it was asked.
void SetInterfaceTotals(std::optional<platform::InterfaceTotals> totals);
int InterfaceTableReads();
int WorkingSetTrims();         // SetProcessWorkingSetSize(-1, -1) on an open process
int OpenProcessHandleCount();  // process handles opened and not closed
void SetCommonControlsMissing(bool missing);
struct CommonControlsCall {
    std::uint32_t size = 0;
    std::uint32_t classes = 0;
};
const std::vector<CommonControlsCall>& CommonControlsCalls();
// An icon resource the program's resources lack: IconImage for it has handle 0.
void SetIconResourceMissing(int resourceId, bool missing);

// ---- Performance data, processors, memory, locale --------------------------------------
// The bytes HKEY_PERFORMANCE_DATA serves for the value "238" (tests build them);
// nullopt (the default): the query fails with ERROR_FILE_NOT_FOUND.
void SetPerformanceData(std::optional<std::vector<std::uint8_t>> block);
// Buffer sizes the program asked HKEY_PERFORMANCE_DATA with, in order.
const std::vector<std::uint32_t>& PerformanceDataQuerySizes();
// How often HKEY_PERFORMANCE_DATA was closed, which unloads its providers.
int PerformanceDataCloses();
// The 9x statistics: which of "PerfStats\StartStat", "PerfStats\StatData",
// "PerfStats\StopStat" under HKEY_DYN_DATA exist (by default none, as on NT),
// the usage value StatData serves, and the log of opens, queries and closes
// ("open StartStat", "query StatData", "close StatData"; an open of a missing
// key is logged as "open StatData failed").
void SetDynDataKeys(bool startStat, bool statData, bool stopStat);
void SetDynDataUsage(std::uint32_t percent);
const std::vector<std::string>& DynDataLog();
void SetProcessorCount(std::uint32_t count);  // default 1
// What the two memory calls report. Default: zero figures, the 64-bit call
// present; nullopt: kernel32 lacks it.
void SetPageFile64(std::optional<platform::PageFile<std::uint64_t>> figures);
void SetPageFile32(platform::PageFile<std::uint32_t> figures);
void SetThousandsSeparator(const std::string& separator);  // default ","

// ---- The System event log ----------------------------------------------------------------
// The Kernel-Boot start records (event 27) the System log holds, oldest first,
// as EvtRenderEventXml renders them; nullopt: the log cannot be opened (no
// event log API, or a user who may not read it). Default: an empty log.
void SetBootRecords(std::optional<std::vector<std::u16string>> oldestFirst);
int BootRecordsRead();  // records handed to the program since Reset

}  // namespace sim
