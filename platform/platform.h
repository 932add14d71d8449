// The thin layer between Orbiquell and the operating system.
//
// Every operation the program needs from Windows is one function here. Two
// implementations exist and one is chosen at link time: platform/win32 makes the
// real ANSI Win32 calls, platform/sim is an in-memory Windows for the tests.
// Logic and forms include this header (and widgets.h), never <windows.h>.
//
// Names avoid those that <windows.h> turns into A/W macros (MessageBox,
// RegOpenKey, ...), so the win32 implementation can include both headers.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// Window, key, icon and kernel handles alike; 0 is "none".
using Handle = std::uintptr_t;

// A Win32 error code as the registry functions return it.
using Status = std::int32_t;

constexpr Status kErrorSuccess = 0;
constexpr Status kErrorFileNotFound = 2;
constexpr Status kErrorAccessDenied = 5;
constexpr Status kErrorMoreData = 234;

// Predefined registry roots, sign-extended exactly as Windows defines them.
constexpr Handle RootKey(std::uint32_t value) {
    return static_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
constexpr std::uint32_t kHKeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kHKeyLocalMachine = 0x80000002u;

constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// ---- Registry (advapi32) -------------------------------------------------
// Each mirrors its Win32 call: RegOpenKeyA, RegCreateKeyA, RegQueryValueExA,
// RegSetValueExA, RegDeleteKeyA, RegDeleteValueA, RegCloseKey.
// Strings are in the system's ANSI code page.
Status RegOpen(Handle root, const std::string& subKey, Handle* key);
Status RegCreate(Handle root, const std::string& subKey, Handle* key);
// data may be null (then only type and size are returned); *size is the buffer
// size on entry and the data length on return (the needed length on
// kErrorMoreData).
Status RegQuery(Handle key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                std::uint32_t* size);
Status RegSet(Handle key, const std::string& valueName, std::uint32_t type,
              const std::uint8_t* data, std::uint32_t size);
// RegSetValueExW of REG_SZ data given in UTF-16, stored with its terminating
// NUL as Windows asks of wide strings; the value's name is ANSI as elsewhere.
// For text the ANSI code page cannot hold. kErrorCallNotImplemented where the
// system has no wide registry calls (the 9x family).
Status RegSetWideString(Handle key, const std::string& valueName, const std::u16string& text);
constexpr Status kErrorCallNotImplemented = 120;
Status RegDeleteSubKey(Handle root, const std::string& subKey);
Status RegDeleteNamedValue(Handle key, const std::string& valueName);
Status RegClose(Handle key);

// ---- Clock and counters (kernel32) ----------------------------------------
std::uint32_t TickCount();                          // GetTickCount
int PerformanceCounter(std::int64_t* count);        // QueryPerformanceCounter: 1 if present
int PerformanceFrequency(std::int64_t* frequency);  // QueryPerformanceFrequency

struct LocalTime {
    int year = 0;    // four digits
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};
LocalTime LocalNow();                      // GetLocalTime
std::string MonthAbbreviation(int month);  // the user locale's short name of month 1..12
// GetSystemTimeAsFileTime: the time in UTC, in 100-nanosecond units since
// 1 January 1601; nullopt where kernel32 lacks the call.
std::optional<std::int64_t> UtcNow();

// ---- The System event log (wevtapi, Windows Vista on) ------------------------
// The start records of the Kernel-Boot provider (event 27) in the System log,
// newest first, each as EvtRenderEventXml renders it, handed to visit until it
// returns false or `most` were handed over. Nothing where the system has no
// such log, the user may not read it or it holds no such record; a record that
// cannot be read ends the walk.
void VisitBootRecords(int most, const std::function<bool(const std::u16string& xml)>& visit);

// ---- System identity -------------------------------------------------------
struct OsVersion {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
};
// The platform id of the NT family (VER_PLATFORM_WIN32_NT); the 9x family's
// ids are below it.
constexpr std::uint32_t kVerPlatformWin32Nt = 2;
// GetVersionExA with an OSVERSIONINFOA of size 148; false when the call fails
// (the record is then left as passed in).
bool QueryOsVersion(OsVersion* version);
// GetComputerNameA: buffer holds *size characters; on success *size is the
// name's length without terminator. Returns the call's result (nonzero = ok).
int QueryComputerName(char* buffer, std::uint32_t* size);

// ---- Process ---------------------------------------------------------------
// True when another instance of Orbiquell already runs in this logon session.
// The first call claims the instance for this process until it ends.
bool IsPreviousInstanceRunning();
// The command line's arguments as one string, without the program's own path.
std::string CommandLineArguments();

// ---- User interaction (user32) ---------------------------------------------
// A message box, modal to owner (its window is disabled until the box is
// closed) or, with owner 0, to nothing; style as MB_* flags. Returns the
// button id chosen.
int ShowMessageBox(Handle owner, const std::string& prompt, std::uint32_t style,
                   const std::string& title);
constexpr std::uint32_t kMbIconExclamation = 0x30;  // with MB_OK (0): style 48
constexpr int kIdOk = 1;

// ---- The screen saver (user32) ----------------------------------------------
// Asks window's default handling to start the screen saver, as the system's
// screen-saver command does; whether one starts is the system's affair.
void StartScreenSaver(Handle window);
// The system's screen-saver-active flag; false as well when it cannot be read.
bool ScreenSaverActiveFlag();
// Sets the flag. Persisted, the change is written to the user's profile and
// broadcast to every program (the NT family's way); otherwise it lasts until
// the next change or restart.
void SetScreenSaverActiveFlag(bool active, bool persist);
// Whether a screen saver runs now (SPI_GETSCREENSAVERRUNNING, 98 and 2000
// on); false where Windows cannot tell.
bool ScreenSaverRunning();

// ---- The notification-area icon (shell32) ---------------------------------
// The program's one icon belongs to window, the PictureBox that hears what the
// mouse does over it. image is an icon handle (IconImage::handle); tip is the
// text shown while the pointer rests on the icon, of which the shell shows the
// first 63 characters. Each reports whether the shell took the request: an
// icon is added once, and changed or removed only while the shell knows it.
bool TrayAdd(Handle window, Handle image, const std::string& tip);
bool TrayModifyTip(Handle window, const std::string& tip);
bool TrayModifyImage(Handle window, Handle image);
bool TrayDelete(Handle window);
// The size in pixels of the icons the notification area shows: the small-icon
// size at the DPI of the screen the taskbar is on, where Windows tells it per
// DPI (10 1607 on), else the system's small-icon size. It changes when the
// user changes that screen's scale.
int TrayIconSize();

// ---- Screen and cursor (user32) -----------------------------------------------
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
int SystemMetric(int index);  // GetSystemMetrics
// GetCursorPos: the cursor in screen pixels, (0, 0) at the primary screen's
// top-left corner; x and y are left as passed in when the call fails.
int CursorPosition(std::int32_t* x, std::int32_t* y);

// A rectangle in screen pixels, right and bottom outside it, as RECT has it.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};
// The whole rectangle of the monitor the point lies on, or of the nearest one
// (MonitorFromPoint, GetMonitorInfo's rcMonitor). Other monitors may lie left
// of or above the primary one, at negative coordinates. nullopt where Windows
// has no monitor functions (95, NT 4.0), which know only the primary screen.
std::optional<ScreenRect> MonitorAt(std::int32_t x, std::int32_t y);

// The window in front (GetForegroundWindow), as far as telling whether a
// program fills a screen needs: its rectangle, whether it has a caption or a
// sizing frame, whether it is the shell's own, the desktop (the shell window,
// Explorer's Progman and WorkerW) or the taskbar, and the whole rectangle of
// the monitor it is on (MonitorFromWindow; the primary screen where Windows
// has no monitor functions). nullopt: none.
struct FrontWindow {
    ScreenRect rect;
    bool framed = false;
    bool shell = false;
    ScreenRect monitor;
};
std::optional<FrontWindow> ForegroundWindowFacts();
// What SHQueryUserNotificationState (Vista on) says of the user's state: a
// program runs full screen (QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN), which
// says nothing of the screen it is on, or presentation mode, which holds for
// every screen. None as well where Windows cannot tell.
enum class ShellFullScreen { None, Program, Presentation };
ShellFullScreen ShellFullScreenState();

// ---- Power (kernel32) -----------------------------------------------------------
// SetThreadExecutionState, where Windows has it (98, 2000 on): awake keeps the
// display on and the computer from sleeping until called again without it.
void KeepDisplayAwake(bool awake);

// ---- Network interfaces (iphlpapi) --------------------------------------------
// The bytes received and sent over all network interfaces, the loopback one
// included: every interface's counter taken as a 32-bit signed number, and an
// addition that would leave that range skipped.
struct InterfaceTotals {
    std::int32_t received = 0;
    std::int32_t sent = 0;
};
// nullopt when the system has no table of its interfaces at all; totals of 0
// when the table could not be read this time (a failed call, no iphlpapi.dll,
// a table that does not fit the buffer it came in).
std::optional<InterfaceTotals> ReadInterfaceTotals();

// ---- Process housekeeping (kernel32, comctl32) ----------------------------------
std::uint32_t CurrentProcessId();  // GetCurrentProcessId
Handle OpenProcessHandle(std::uint32_t access, bool inherit,
                         std::uint32_t processId);  // OpenProcess
int SetWorkingSetSize(Handle process, std::intptr_t minimum, std::intptr_t maximum);
int CloseKernelHandle(Handle handle);  // CloseHandle
// InitCommonControlsEx, looked up at run time: false when the library or its
// entry point is missing (the call's own result is not reported).
bool InitializeCommonControls(std::uint32_t size, std::uint32_t classes);

// ---- Performance data and the 9x dynamic statistics (advapi32) ---------------------
// RegQuery serves both roots: HKEY_PERFORMANCE_DATA answers a query for a
// counter object's title index ("238") with a PERF_DATA_BLOCK.
constexpr std::uint32_t kHKeyPerformanceData = 0x80000004u;
constexpr std::uint32_t kHKeyDynData = 0x80000006u;
constexpr std::uint32_t kKeyRead = 0x20019u;
constexpr std::uint32_t kKeySetValue = 0x0002u;
constexpr std::uint32_t kKeyAllAccess = 0xF003Fu;
// RegOpenKeyExA with options 0 and the given access.
Status RegOpenWithAccess(Handle root, const std::string& subKey, std::uint32_t access, Handle* key);

// ---- Processors, time stamps and memory (kernel32) ------------------------------------
std::uint32_t ProcessorCount();  // GetSystemInfo: dwNumberOfProcessors

struct SystemTime {  // SYSTEMTIME
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};
// SystemTimeToFileTime: 100-nanosecond units since 1 January 1601; false for a
// time Windows rejects.
bool FileTimeFromSystemTime(const SystemTime& time, std::int64_t* fileTime);

// The system's page-file limit (the memory it can commit) and what of it is
// still available, in bytes.
template <typename Bytes>
struct PageFile {
    Bytes total = 0;
    Bytes available = 0;
};
// GlobalMemoryStatusEx's 64-bit counts; nullopt where kernel32 has no such
// call (before Windows 2000). A call that fails leaves both 0.
std::optional<PageFile<std::uint64_t>> QueryPageFile64();
// GlobalMemoryStatus's 32-bit counts, as a 32-bit program gets them: a size of
// 4 GB or more reads as all bits set from Windows 2000 on.
PageFile<std::uint32_t> QueryPageFile32();

// The user locale's thousands separator (LOCALE_STHOUSAND).
std::string ThousandsSeparator();

// ---- Shell, foreground and pointer (user32, shell32, kernel32) -------------------
// SetForegroundWindow; the result is not reported.
void SetForeground(Handle window);
// ShellExecuteA(0, "open", file, "", no directory, SW_SHOWNORMAL): the call's
// result as a signed number, greater than 32 on success.
std::int32_t ShellOpen(const std::string& file);
// Starts a program and returns at once, without waiting for it to start up:
// a command line, searched for as WinExec does, and a window style (2 =
// minimised, with focus). The result is not reported.
void StartProgram(const std::string& commandLine, int showStyle);
constexpr int kSwShowMinimized = 2;
// The pointer over all of the program's windows: the hourglass while busy.
enum class ScreenPointer { Default = 0, Hourglass = 11 };
void SetScreenPointer(ScreenPointer pointer);
// The running executable's full path (GetModuleFileNameA), in the ANSI code
// page: a character it cannot hold comes out as '?'.
std::string ExecutablePath();
// The same path in UTF-16, every character as it is (GetModuleFileNameW); ""
// where the system has no wide call (the 9x family).
std::u16string ExecutablePathWide();

// ---- Message loop ------------------------------------------------------------
// Runs until Quit is called; returns the exit code passed to it.
int RunMessageLoop();
// Handles the messages waiting now, then returns.
void PumpMessages();
// Ends the message loop (and so the process) with the given code.
void Quit(int exitCode);
// True once Quit was called. From then on no handler of any widget runs: a
// click, a tick or a menu choice that was already on its way when the program
// was told to end must not act on forms that are gone.
bool QuitRequested();

}  // namespace platform
