// Control and inspection of the simulated Windows, for tests only.
//
// The simulation behaves like Windows NT as far as the program relies on it;
// tests set up its state, run program code through the platform layer, and look
// at what the program did.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace sim {

// Forgets everything: an empty registry (the two roots and the standard
// Software\Microsoft\Windows\CurrentVersion\Run keys exist), no windows, no
// timers, NT 5.1, computer name "SIMPC", a high-resolution counter at 0 with a
// frequency of 10 MHz, tick count 0, local time 2005-12-06 08:04:09, English
// month names, screen saver active, no previous instance, empty command line,
// message boxes answered with IDOK, a tray that accepts everything.
void Reset();

// Forgets the recorded calls (message boxes, system parameter calls, sent
// messages, notification calls, common-controls calls, performance-data query
// sizes, the 9x statistics log) and zeroes the call counters, keeping all
// state; long runs use it to keep the records small.
void ClearRecords();

// ---- Registry ------------------------------------------------------------------
struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};
void RegPutKey(std::uint32_t root, const std::string& path);  // creates missing keys
void RegPutValue(std::uint32_t root, const std::string& path, const std::string& name,
                 std::uint32_t type, const std::vector<std::uint8_t>& data);
void RegPutString(std::uint32_t root, const std::string& path, const std::string& name,
                  const std::string& text);  // REG_SZ, text with one terminating NUL
void RegPutDword(std::uint32_t root, const std::string& path, const std::string& name,
                 std::uint32_t value);
bool RegKeyExists(std::uint32_t root, const std::string& path);
std::optional<RegValue> RegGetValue(std::uint32_t root, const std::string& path,
                                    const std::string& name);
int RegOpenHandleCount();  // keys opened or created and not yet closed
// Makes writes below this root fail with ERROR_ACCESS_DENIED (a user without
// the right to write under HKEY_LOCAL_MACHINE).
void RegDenyWrites(std::uint32_t root, bool deny);

// ---- Clock and counters --------------------------------------------------------
void SetTickCount(std::uint32_t ms);
// present = false: QueryPerformanceCounter returns 0.
void SetPerformanceCounter(bool present, std::int64_t count, std::int64_t frequency);
void SetLocalTime(const platform::LocalTime& now);
void SetMonthAbbreviations(const std::vector<std::string>& twelveNames);

// ---- System identity and process -----------------------------------------------
void SetOsVersion(std::optional<platform::OsVersion> version);  // nullopt: the call fails
void SetComputerName(std::optional<std::string> name);          // nullopt: the call fails
void SetPreviousInstance(bool running);
void SetCommandLine(const std::string& arguments);

// ---- Message boxes ---------------------------------------------------------------
struct MessageBoxCall {
    std::string prompt;
    std::uint32_t style = 0;
    std::string title;
};
const std::vector<MessageBoxCall>& MessageBoxes();
void SetMessageBoxAnswer(int buttonId);
// How long each message box stays open before it is answered. Time moves on
// meanwhile and timers fire, as they do while a real modal box is up.
void SetMessageBoxOpenTime(std::uint32_t ms);

// ---- Screen saver and window messages ---------------------------------------------
bool ScreenSaverActive();
void SetScreenSaverActive(bool active);
// Makes every SystemParametersInfo call fail (return 0, change nothing).
void SetSystemParametersFail(bool fail);
struct SpiCall {
    std::uint32_t action = 0;
    std::uint32_t uiParam = 0;
    bool pvParamNull = true;
    std::uint32_t pvValueBefore = 0;  // the number pvParam pointed at when called
    std::uint32_t winIni = 0;
};
const std::vector<SpiCall>& SystemParametersCalls();
struct SentMessage {
    platform::Handle window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};
const std::vector<SentMessage>& SentMessages();
int ScreenSaverStarts();  // WM_SYSCOMMAND/SC_SCREENSAVE reaching a live window

// ---- Notification area -------------------------------------------------------------
struct NotifyCall {
    std::uint32_t message = 0;
    platform::NotifyIconData data;
    int result = 0;
};
const std::vector<NotifyCall>& NotifyCalls();
void SetTrayRefuses(bool refuses);  // every Shell_NotifyIcon call fails
// Forgets all icons, as when the notification area is re-created; later
// NIM_MODIFY calls for them fail until they are added again.
void RecreateTray();
struct TrayIcon {
    platform::Handle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t callbackMessage = 0;
    platform::Handle hIcon = 0;
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
// Sends WM_CLOSE to a window / WM_ENDSESSION(TRUE) to every top-level window.
void CloseWindow(platform::Handle window);
void EndSession();
// Delivers a tray callback (the mouse message over the icon) to a picture box.
void SendTrayEvent(platform::Handle pictureBox, std::uint32_t mouseMessage);
bool QuitRequested();
int QuitCode();
int PumpCount();  // how often PumpMessages ran

// ---- Screen, cursor, network, housekeeping -----------------------------------------
void SetScreenSize(std::int32_t width, std::int32_t height);  // default 1024 x 768
void SetCursor(std::int32_t x, std::int32_t y);               // default (512, 384)
void SetCursorFails(bool fails);
struct InterfaceRow {
    std::uint32_t inOctets = 0;
    std::uint32_t outOctets = 0;
};
void SetInterfaces(const std::vector<InterfaceRow>& rows);  // default: one loopback row, 0/0
// The next GetIfTable answers: kErrorNotSupported from every call, or a failing
// second (table) call, or a table whose dwNumEntries claims `extraRows` more
// rows than the buffer holds.
void SetInterfaceTableNotSupported(bool notSupported);
void SetInterfaceTableCallFails(bool fails);
void SetInterfaceTableOverstatesRows(std::uint32_t extraRows);
int InterfaceTableCalls();
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
// The 9x statistics: which of "PerfStats\StartStat", "PerfStats\StatData",
// "PerfStats\StopStat" under HKEY_DYN_DATA exist (by default none, as on NT),
// the usage value StatData serves, and the log of opens, queries and closes
// ("open StartStat", "query StatData", "close StatData"; an open of a missing
// key is logged as "open StatData failed").
void SetDynDataKeys(bool startStat, bool statData, bool stopStat);
void SetDynDataUsage(std::uint32_t percent);
const std::vector<std::string>& DynDataLog();
void SetProcessorCount(std::uint32_t count);  // default 1
// The MEMORYSTATUSEX (64 bytes) and MEMORYSTATUS (32 bytes) records the calls
// write, from offset 4 on (shorter ones are padded with zeros). Default: zero
// records, GlobalMemoryStatusEx present.
void SetMemoryStatusEx(std::optional<std::vector<std::uint8_t>> record);  // nullopt: entry missing
void SetMemoryStatus(const std::vector<std::uint8_t>& record);
void SetThousandsSeparator(const std::string& separator);  // default ","

}  // namespace sim
