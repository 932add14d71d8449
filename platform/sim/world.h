// Everything the simulated Windows remembers, in one place so that Reset can
// put all of it back at once.
#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/registry_tree.h"
#include "platform/sim/sim.h"
#include "platform/widgets.h"

namespace sim::detail {

struct RegistryState {
    std::shared_ptr<RegKey> currentUser = MakeRootKey(platform::kHKeyCurrentUser);
    std::shared_ptr<RegKey> localMachine = MakeRootKey(platform::kHKeyLocalMachine);
    std::map<platform::Handle, std::shared_ptr<RegKey>> openKeys;
    std::set<std::uint32_t> deniedRoots;
    // Keys whose writes are denied, by root and folded path; they and their
    // subkeys refuse.
    std::set<std::pair<std::uint32_t, std::string>> deniedKeys;

    RegistryState();
};

struct ClockState {
    std::uint64_t elapsedMs = 0;  // simulated time since Reset; timers fall due against it
    std::uint32_t tickCount = 0;
    bool counterPresent = true;
    std::int64_t counterAtSet = 0;        // the count when the counter was last set
    std::uint64_t msSinceCounterSet = 0;  // advancing from there keeps rounding from piling up
    std::int64_t frequency = 10'000'000;
    std::chrono::sys_time<std::chrono::milliseconds> localTime =
        std::chrono::sys_days{std::chrono::year{2005} / 12 / 6} + std::chrono::hours{8} +
        std::chrono::minutes{4} + std::chrono::seconds{9};
    std::vector<std::string> monthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::chrono::minutes utcOffset{0};  // local time less UTC
};

struct EventLogState {
    // The Kernel-Boot start records, oldest first; nullopt: the log cannot be opened.
    std::optional<std::vector<std::u16string>> bootRecords = std::vector<std::u16string>{};
    int recordsRead = 0;
};

struct SystemState {
    std::optional<platform::OsVersion> osVersion = platform::OsVersion{5, 1, 2600, 2};
    std::optional<std::string> computerName = "SIMPC";
    bool previousInstance = false;
    std::string commandLine;
};

struct MessageState {
    std::vector<MessageBoxCall> messageBoxes;
    std::uint32_t messageBoxOpenMs = 0;
    bool screenSaverActive = true;
    bool screenSaverFlagFails = false;
    std::vector<ScreenSaverFlagSet> screenSaverFlagSets;
    std::vector<platform::Handle> screenSaverStartWindows;
    int screenSaverStarts = 0;
    bool screenSaverRunning = false;  // its window is in front
};

struct TrayState {
    std::vector<NotifyCall> calls;
    std::set<TrayOp> refused;
    std::function<void()> duringNextCall;
    std::vector<TrayIcon> icons;  // in the order they were added
};

struct WindowRecord {
    platform::Handle parent = 0;  // 0 for a top-level window (a hidden form)
    std::function<void()> onUnload;
    std::function<void()> onTaskbarCreated;
    std::function<void()> onDisplayChange;
    std::function<void(platform::TrayMouseEvent)> onTrayEvent;
};

// A form of the main window's kind: shown to the user, unlike a hidden form.
struct FormRecord {
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    std::string caption;
    bool visible = false;
    platform::WindowState state = platform::WindowState::Normal;
    platform::Pointer pointer = platform::Pointer::Default;
    int x = 0;  // the outer window's top-left corner on the screen, once centred
    int y = 0;
    bool centred = false;
    int dpi = 96;
    std::function<void()> onClose;
    std::function<void()> onResize;
    std::function<void()> onMouseMove;
    std::function<void()> onDpiChanged;
    int openBoxes = 0;  // message boxes it owns that are open: it takes no input
};

enum class ControlKind { TabStrip, Frame, Label, TextField, CheckBox, Button, IconPicture, Line };

// One control of a form; which fields mean something depends on the kind.
struct ControlRecord {
    ControlKind kind = ControlKind::Frame;
    platform::Handle form = 0;
    int page = platform::kOnForm;
    platform::TwipRect rect;
    // Where the control stands in pixels at its form's DPI: laid out from rect
    // when it is made or moved, and again when the form's DPI changes.
    PixelRect pixels;
    std::string caption;  // a label's or text field's text, a button's caption, ...
    platform::LabelStyle labelStyle;
    std::string tooltip;
    platform::ButtonRole role = platform::ButtonRole::Plain;
    int resourceId = 0;
    std::vector<std::string> tabCaptions;
    int selectedTab = 0;
    int value = 0;  // a check box's state
    bool buttonFaceBackground = false;
    bool enabled = true;
    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    std::function<void(int, int)> onMouseDown;
};

// Forms and controls are windows of their own, apart from the hidden forms and
// picture boxes: destroying a form leaves its controls to their own destructors.
struct WidgetState {
    bool formCreationFails = false;
    std::map<platform::Handle, FormRecord> forms;
    std::map<platform::Handle, ControlRecord> controls;
};

struct TimerRecord {
    std::uint32_t intervalMs = 0;
    bool enabled = true;
    std::uint64_t dueMs = 0;  // on the elapsedMs scale
    std::function<void()> onTimer;
};

struct ScreenState {
    std::int32_t width = 1024;
    std::int32_t height = 768;
    std::int32_t cursorX = 512;
    std::int32_t cursorY = 384;
    bool cursorFails = false;
    // Empty: one monitor, the primary screen.
    std::vector<platform::ScreenRect> monitors;
    bool monitorFunctionsMissing = false;
    std::optional<platform::FrontWindow> front;
    platform::ShellFullScreen shellFullScreen = platform::ShellFullScreen::None;
    std::vector<bool> keepAwakeCalls;
    int dpi = 96;
    int taskbarDpi = 96;
};

struct NetworkState {
    // An idle loopback interface to begin with.
    std::optional<platform::InterfaceTotals> totals = platform::InterfaceTotals{};
    int reads = 0;
};

struct HousekeepingState {
    // Open process handles with the access rights each was opened with.
    std::map<platform::Handle, std::uint32_t> processes;
    int workingSetTrims = 0;
    bool commonControlsMissing = false;
    std::vector<CommonControlsCall> commonControlsCalls;
};

// The NT performance data, the 9x dynamic statistics and the processor count.
struct PerformanceState {
    std::optional<std::vector<std::uint8_t>> block;  // served for "238"
    std::vector<std::uint32_t> querySizes;
    int closes = 0;  // RegCloseKey(HKEY_PERFORMANCE_DATA)
    bool startStat = false;
    bool statData = false;
    bool stopStat = false;
    std::uint32_t usage9x = 0;
    std::vector<std::string> dynDataLog;
    std::map<platform::Handle, std::string> openDynDataKeys;  // handle -> key name
    std::uint32_t processorCount = 1;
};

// What the memory-status calls write, and the locale's digit grouping.
struct MemoryState {
    // nullopt when kernel32 has no GlobalMemoryStatusEx.
    std::optional<platform::PageFile<std::uint64_t>> pageFile64 =
        platform::PageFile<std::uint64_t>{};
    platform::PageFile<std::uint32_t> pageFile32;
    std::string thousandsSeparator = ",";
};

struct ShellState {
    std::vector<platform::Handle> foregroundCalls;
    platform::Handle lastForeground = 0;  // state, kept when the records are cleared
    std::vector<ShellOpenCall> shellOpens;
    std::int32_t shellOpenResult = 42;
    std::vector<StartedProgram> startedPrograms;
    platform::ScreenPointer screenPointer = platform::ScreenPointer::Default;
    std::string executablePath = "C:\\Program Files\\Orbiquell\\Orbiquell.exe";
    std::u16string executablePathWide = u"C:\\Program Files\\Orbiquell\\Orbiquell.exe";
};

struct MenuState {
    std::vector<MenuPopup> popups;
    std::optional<std::string> choice;
};

struct LoopState {
    bool quitRequested = false;
    int quitCode = 0;
    int pumpCount = 0;
    std::function<void()> duringModal;  // run inside the next box or menu
    std::function<bool()> source;       // what arrives while the loop waits
};

struct World {
    RegistryState registry;
    ClockState clock;
    SystemState system;
    MessageState messages;
    TrayState tray;
    std::map<platform::Handle, WindowRecord> windows;
    WidgetState widgets;
    std::map<platform::Handle, TimerRecord> timers;
    std::map<platform::Handle, int> icons;  // each live icon's size in pixels
    std::set<int> missingIconResources;
    ShellState shell;
    MenuState menus;
    LoopState loop;
    ScreenState screen;
    NetworkState network;
    HousekeepingState housekeeping;
    PerformanceState performance;
    MemoryState memory;
    EventLogState eventLog;
};

World& TheWorld();

// A fresh fake handle for a key, window, timer, icon or process. Handles are
// never reused, not even across Reset, so an object that outlives a Reset
// cannot reach a newer object through a recycled value.
platform::Handle NewHandle();

// The NT family has the wide ("W") calls; the 9x family, or a machine whose
// version cannot be read, only the ANSI ones.
bool HasWideCalls();

// Runs, once, what the test asked to happen while the next message box or popup
// menu is open.
void RunDuringModal();

}  // namespace sim::detail
