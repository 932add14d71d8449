// Everything the simulated Windows remembers, in one place so that Reset can
// put all of it back at once.
#pragma once

#include <chrono>
#include <cstdint>
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

namespace sim::detail {

struct RegistryState {
    std::shared_ptr<RegKey> currentUser = MakeRootKey(platform::kHKeyCurrentUser);
    std::shared_ptr<RegKey> localMachine = MakeRootKey(platform::kHKeyLocalMachine);
    std::map<platform::Handle, std::shared_ptr<RegKey>> openKeys;
    std::set<std::uint32_t> deniedRoots;

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
};

struct SystemState {
    std::optional<platform::OsVersion> osVersion = platform::OsVersion{5, 1, 2600, 2};
    std::optional<std::string> computerName = "SIMPC";
    bool previousInstance = false;
    std::string commandLine;
};

struct MessageState {
    std::vector<MessageBoxCall> messageBoxes;
    int messageBoxAnswer = platform::kIdOk;
    std::uint32_t messageBoxOpenMs = 0;
    bool screenSaverActive = true;
    bool systemParametersFail = false;
    std::vector<SpiCall> spiCalls;
    std::vector<SentMessage> sentMessages;
    int screenSaverStarts = 0;
};

struct TrayState {
    std::vector<NotifyCall> calls;
    bool refuses = false;
    std::vector<TrayIcon> icons;  // in the order they were added
};

struct WindowRecord {
    platform::Handle parent = 0;  // 0 for a top-level window (a hidden form)
    std::uint32_t callbackMessage = 0;
    std::function<void()> onUnload;
    std::function<void(std::uint32_t)> onTrayEvent;
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
};

struct NetworkState {
    // The first row is the loopback interface, any further ones Ethernet adapters.
    std::vector<InterfaceRow> rows = {InterfaceRow{}};
    bool notSupported = false;
    bool tableCallFails = false;
    std::uint32_t overstatedRows = 0;
    int calls = 0;
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
    // The MEMORYSTATUSEX and MEMORYSTATUS records as Windows fills them;
    // nullopt when kernel32 has no GlobalMemoryStatusEx.
    std::optional<std::vector<std::uint8_t>> statusEx = std::vector<std::uint8_t>(64);
    std::vector<std::uint8_t> status = std::vector<std::uint8_t>(32);
    std::string thousandsSeparator = ",";
};

struct LoopState {
    bool quitRequested = false;
    int quitCode = 0;
    int pumpCount = 0;
};

struct World {
    RegistryState registry;
    ClockState clock;
    SystemState system;
    MessageState messages;
    TrayState tray;
    std::map<platform::Handle, WindowRecord> windows;
    std::map<platform::Handle, TimerRecord> timers;
    std::set<platform::Handle> icons;
    std::set<int> missingIconResources;
    LoopState loop;
    ScreenState screen;
    NetworkState network;
    HousekeepingState housekeeping;
    PerformanceState performance;
    MemoryState memory;
};

World& TheWorld();

// A fresh fake handle for a key, window, timer, icon or process. Handles are
// never reused, not even across Reset, so an object that outlives a Reset
// cannot reach a newer object through a recycled value.
platform::Handle NewHandle();

}  // namespace sim::detail
