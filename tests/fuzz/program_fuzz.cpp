// libFuzzer target: the whole program on the simulated Windows, started as
// main starts it, with the input bytes playing the user and Windows against
// it: time, the pointer, the tray, the menu, the window, the shell, the
// registry, the network and the screen saver, also while a message box or the
// tray menu is open. After every event it checks what the program must never
// break, and stops with the name of the broken rule.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "common/globals.h"
#include "platform/sim/sim.h"
#include "settings/registry_layout.h"
#include "ui/main_window/main_window_controls.h"

#include "../support/program_state.h"

namespace {

constexpr std::uint32_t kHklm = platform::kHKeyLocalMachine;
constexpr std::uint32_t kHkcu = platform::kHKeyCurrentUser;
constexpr std::uint32_t kTickMs = 400;
// A lost icon comes back within 2 s of a shell that takes it again, and one
// tick may pass before the first try.
constexpr std::uint64_t kIconBackMs = 2000 + kTickMs;
const std::string kStartTip = "SIMPC Orbiquell";
const std::string kUptimeTip = "SIMPC up for ";
const char* const kMenuItems[] = {"&Restore Orbiquell...", "Enable &Hot Corners",
                                  "&Start Screen Saver...", "&Configure Screen Saver...",
                                  "E&xit Orbiquell"};

// The events played so far, a letter each, what happened inside a modal loop
// in brackets: for telling what a failing input does.
std::string gTrace;

int Traced(int choice) {
    gTrace += std::to_string(choice);
    return choice;
}

[[noreturn]] void Broken(const char* invariant, const std::string& detail = {}) {
    std::fprintf(stderr, "\n*** invariant broken: %s%s%s\nevents:%s\n", invariant,
                 detail.empty() ? "" : ": ", detail.c_str(), gTrace.c_str());
    std::abort();
}

// The registry values the program keeps, and what it reads from them.
struct StoredValue {
    std::uint32_t root;
    bool run;  // a Run value, else one under the settings key
    const char* name;
    unsigned setting;  // the Stale bit of the setting it holds
};
const StoredValue kValues[] = {
    {kHklm, false, kHotCornersValue, 1},
    {kHkcu, false, kHotCornersValue, 1},
    {kHklm, false, kFullScreenGuardValue, 2},
    {kHkcu, false, kFullScreenGuardValue, 2},
    {kHkcu, false, kSleeperActiveValue, 1},
    {kHklm, true, "Orbiquell", 4},
    {kHkcu, true, "Orbiquell", 8},
};
std::string KeyOf(const StoredValue& v) {
    return v.run ? RunKey() : SettingsKey();
}

std::optional<bool> StoredDword(std::uint32_t root, const char* name) {
    const auto value = sim::RegGetValue(root, SettingsKey(), name);
    if (!value || value->type != platform::kRegDword || value->data.size() != 4) return {};
    return value->data != std::vector<std::uint8_t>(4, 0);
}

// The four settings as start-up reads them.
struct Settings {
    int hotCorners = 0;
    int guard = 0;
    int allUsers = 0;
    int currentUser = 0;
};
// Settings whose values changed behind the program's back: what it shows of
// them follows from nothing it did.
enum Stale : unsigned { kHotStale = 1, kGuardStale = 2, kAllStale = 4, kCurrStale = 8 };
bool Same(const Settings& a, const Settings& b, unsigned stale) {
    return ((stale & kHotStale) || a.hotCorners == b.hotCorners) &&
           ((stale & kGuardStale) || a.guard == b.guard) &&
           ((stale & kAllStale) || a.allUsers == b.allUsers) &&
           // The two auto-start boxes rule each other out.
           ((stale & (kAllStale | kCurrStale)) || a.currentUser == b.currentUser);
}
Settings Stored() {
    const auto flag = [](std::initializer_list<std::optional<bool>> sources) {
        for (const auto& source : sources) {
            if (source) return *source ? 1 : 0;
        }
        return 0;
    };
    const auto run = [](std::uint32_t root) {
        const auto value = sim::RegGetValue(root, RunKey(), "Orbiquell");
        return value && value->data.size() <= 1024 ? 1 : 0;
    };
    return {flag({StoredDword(kHkcu, kHotCornersValue), StoredDword(kHklm, kHotCornersValue)}),
            flag({StoredDword(kHkcu, kFullScreenGuardValue),
                  StoredDword(kHklm, kFullScreenGuardValue)}),
            run(kHklm), run(kHkcu)};
}
// What the Settings tab may show of them, too: the two auto-start boxes rule
// each other out, the all-users one winning.
Settings Shown(Settings s) {
    if (s.allUsers == 1) s.currentUser = 0;
    return s;
}
Settings Boxes() {
    const frmMain::Controls& c = frmMain::Instance().controls();
    return {c.chkHotCorners.value(), c.chkFullScreenGuard.value(), c.chkAutoStartAll.value(),
            c.chkAutoStartCurr.value()};
}

bool IsUptimeText(const std::string& text) {
    if (text == "uptime query failed" || text.starts_with("failed to calculate uptime: ")) {
        return true;
    }
    // "d days, h:mm:ss" or "1 day, h:mm:ss"
    std::size_t i = 0;
    const auto digits = [&](std::size_t min, std::size_t max) {
        const std::size_t start = i;
        while (i < text.size() && i - start < max && text[i] >= '0' && text[i] <= '9') ++i;
        return i - start >= min;
    };
    const auto literal = [&](const char* s) {
        const std::string_view expected(s);
        if (text.compare(i, expected.size(), expected) != 0) return false;
        i += expected.size();
        return true;
    };
    return digits(1, 6) && (literal(" days, ") || literal(" day, ")) && digits(1, 2) &&
           literal(":") && digits(2, 2) && literal(":") && digits(2, 2) && i == text.size();
}

class Run {
  public:
    explicit Run(FuzzedDataProvider& in) : in_(in) {}

    void SetUpWorld();
    void Play();
    void CheckAfterExit(int exitCode);

  private:
    void Event();
    void Pointer();
    void TrayClick();
    void WindowInput();
    void Shell();
    void Registry();
    void PutValue(const StoredValue& v, int kind);
    void DuringModal();
    void Check();
    void CheckIcon(std::uint64_t now);
    void CheckCorners();
    void CheckSettingsTab(const char* when);
    void CheckRefusalsSaid(const Settings& wanted, const Settings& stored, std::size_t boxesBefore,
                           const char* what);
    void NewScreens();
    const platform::ScreenRect& AnyScreen() {
        return screens_[in_.ConsumeIntegralInRange<std::size_t>(0, screens_.size() - 1)];
    }
    std::uint64_t Now() const { return platform::TickCount(); }
    bool Running() const {
        return started_ && !platform::QuitRequested() && frmSysTray::Instance().loaded();
    }
    bool ShellTakesTheIcon() const { return (refused_ & 7) == 0; }

    FuzzedDataProvider& in_;
    bool started_ = false;
    platform::Handle pictureBox_ = 0;
    platform::Handle trayForm_ = 0;
    int modalDepth_ = 0;
    int menuDepth_ = 0;
    std::size_t menusSeen_ = 0;
    std::uint64_t iconDueAt_ = kIconBackMs;
    unsigned refused_ = 0;  // bits: add, tip, image, delete
    bool windowWasLoaded_ = false;
    int pumpsSeen_ = 0;
    bool heldAtLastTick_ = false;
    std::size_t cornerStarts_ = 0;  // by the bottom-left corner, in this visit
    // How many times the program had set the screen saver's flag when it was
    // last switched from outside.
    std::optional<std::size_t> saverSetsAtOutsideChange_;
    std::optional<std::vector<std::size_t>> recordsAtQuit_;
    platform::InterfaceTotals totals_;
    std::optional<Settings> storedAtModal_;
    unsigned stale_ = 0;
    std::vector<platform::ScreenRect> screens_;
};

// Few bytes, so that short inputs are mostly events.
void Run::SetUpWorld() {
    const auto flags = in_.ConsumeIntegral<std::uint16_t>();
    if (flags & 1) sim::SetOsVersion(platform::OsVersion{4, 10, 2222, 1});
    if (flags & 2) sim::SetCommandLine("-popup");
    sim::SetScreenSaverActive((flags & 4) == 0);
    sim::SetMonitorFunctionsMissing((flags & 0x38) == 0x38);
    sim::SetPreviousInstance((flags & 0x3c0) == 0x3c0);
    NewScreens();
    sim::SetCursor(screens_[0].right / 2, screens_[0].bottom / 2);
    // Three bits a value, one a key.
    auto registry = in_.ConsumeIntegral<std::uint32_t>();
    for (const StoredValue& value : kValues) {
        if (const int kind = registry & 7; kind != 0) PutValue(value, kind);
        registry >>= 3;
    }
    for (const std::uint32_t root : {kHklm, kHkcu}) {
        for (const std::string& key : {SettingsKey(), RunKey()}) {
            sim::RegDenyWrites(root, key, registry & 1);
            registry >>= 1;
        }
    }
}

// One to three screens, the primary at (0, 0) and the others beside, above or
// below it, at negative coordinates too.
void Run::NewScreens() {
    // A byte a screen: its size, and where it lies.
    const auto size = [&](int b) {
        const std::int32_t widths[] = {640, 800, 1024, 1280, 1920, 2560};
        const std::int32_t heights[] = {480, 600, 768, 1024, 1080, 1440};
        return std::pair{widths[b % 6], heights[b / 6 % 6]};
    };
    const int first = in_.ConsumeIntegral<std::uint8_t>();
    const auto [w, h] = size(first);
    std::vector<platform::ScreenRect> screens{{0, 0, w, h}};
    for (int n = first / 36 % 3; n > 0; --n) {
        const int b = in_.ConsumeIntegral<std::uint8_t>();
        const auto [sw, sh] = size(b);
        switch (b / 36 % 4) {
            case 0:
                screens.push_back({-sw, 0, 0, sh});
                break;
            case 1:
                screens.push_back({w, h - sh, w + sw, h});
                break;
            case 2:
                screens.push_back({0, -sh, sw, 0});
                break;
            default:
                screens.push_back({w - sw, h, w, h + sh});
                break;
        }
    }
    screens_ = screens;
    sim::SetScreenSize(w, h);
    sim::SetMonitors(screens);
}

void Run::Play() {
    sim::DuringNextModal([this] { DuringModal(); });
    // Each call of the message loop's source plays one event; at the end of
    // the input the session ends, which ends the program.
    sim::SetMessageSource([this] {
        if (!started_) {
            started_ = true;
            pictureBox_ = frmSysTray::Instance().trayIcon().window;
            trayForm_ = frmSysTray::Instance().hWnd();
            // An old setting the migration could not move decides as long as
            // it is there.
            if (sim::RegGetValue(kHkcu, SettingsKey(), kSleeperActiveValue)) stale_ |= kHotStale;
            Check();
        }
        if (in_.remaining_bytes() > 0) {
            Event();
            return true;
        }
        sim::EndSession();
        if (!platform::QuitRequested()) Broken("the program ends with the session");
        return true;
    });
}

void Run::Event() {
    const int kind = in_.ConsumeIntegralInRange(0, 15);
    gTrace += std::string(" ") + "TTTPPCCWWWSRNFXE"[kind];
    try {
        switch (kind) {
            case 0:
            case 1:
            case 2: {
                // Only a tick starts the screen saver here, through the corner.
                const std::size_t starts = sim::ScreenSaverStartWindows().size();
                const std::size_t calls = sim::NotifyCalls().size();
                const auto ms = in_.ConsumeIntegralInRange<std::uint32_t>(1, 3000);
                sim::AdvanceTime(ms);
                cornerStarts_ += sim::ScreenSaverStartWindows().size() - starts;
                // A shell that refuses everything may hang in each call: the
                // program tries one add every 2 s and waits for the broadcast,
                // after the add straight after the refusal that showed the
                // icon lost.
                const auto& made = sim::NotifyCalls();
                const auto adds = std::count_if(
                    made.begin() + static_cast<std::ptrdiff_t>(calls), made.end(),
                    [](const sim::NotifyCall& call) { return call.op == sim::TrayOp::Add; });
                if (refused_ == 15 && modalDepth_ == 0 &&
                    static_cast<std::uint32_t>(adds) > ms / 2000 + 1) {
                    Broken("no more than one add every 2 s to a shell that refuses");
                }
                break;
            }
            case 3:
            case 4:
                Pointer();
                break;
            case 5:
            case 6:
                TrayClick();
                break;
            case 7:
            case 8:
            case 9:
                WindowInput();
                break;
            case 10:
                Shell();
                break;
            case 11:
                Registry();
                break;
            case 12: {
                const std::int32_t rx = in_.ConsumeIntegralInRange(0, 100000);
                const std::int32_t tx = in_.ConsumeIntegralInRange(0, 100000);
                // The counters are 32 bits wide and wrap.
                totals_.received =
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(totals_.received) +
                                              (in_.ConsumeBool() ? rx : 0x7fffff00u));
                totals_.sent =
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(totals_.sent) + tx);
                const int kind = in_.ConsumeIntegralInRange(0, 7);
                sim::SetInterfaceTotals(kind == 0   ? std::nullopt
                                        : kind == 1 ? std::optional(platform::InterfaceTotals{})
                                                    : std::optional(totals_));
                break;
            }
            case 13: {
                // A window in front: filling one screen, or framed, or the shell's.
                const platform::ScreenRect screen = AnyScreen();
                if (in_.ConsumeBool()) {
                    sim::SetForegroundWindowFacts(std::nullopt);
                } else {
                    sim::SetForegroundWindowFacts(platform::FrontWindow{screen, in_.ConsumeBool(),
                                                                        in_.ConsumeBool(), screen});
                }
                const int shell = in_.ConsumeIntegralInRange(0, 3);
                sim::SetShellFullScreen(shell == 0   ? platform::ShellFullScreen::Program
                                        : shell == 1 ? platform::ShellFullScreen::Presentation
                                                     : platform::ShellFullScreen::None);
                break;
            }
            case 14:
                if (in_.ConsumeBool()) {
                    sim::SetScreenSaverActive(in_.ConsumeBool());  // from outside
                    saverSetsAtOutsideChange_ = sim::ScreenSaverFlagSets().size();
                    sim::SetScreenSaverRunning(false);  // a key ends it
                } else if (in_.ConsumeBool()) {
                    NewScreens();
                } else {
                    sim::SetShellOpenResult(in_.ConsumeBool() ? 42
                                                              : in_.ConsumeIntegralInRange(0, 32));
                }
                break;
            default:
                if (modalDepth_ > 0 || in_.ConsumeBool()) {
                    sim::EndSession();
                } else if (trayForm_ != 0) {
                    sim::CloseWindow(trayForm_);
                }
                break;
        }
    } catch (const std::exception& error) {
        Broken("no exception out of a handler", error.what());
    } catch (...) {
        Broken("no exception out of a handler");
    }
    Check();
}

void Run::Pointer() {
    sim::SetScreenSaverRunning(false);
    const platform::ScreenRect s = AnyScreen();
    // Into a corner, up to a few pixels beyond its reach, or anywhere.
    const std::int32_t dx = in_.ConsumeIntegralInRange(0, 6);
    const std::int32_t dy = in_.ConsumeIntegralInRange(0, 6);
    switch (Traced(in_.ConsumeIntegralInRange(0, 4))) {
        case 0:
            sim::SetCursor(s.left + dx, s.bottom - 1 - dy);
            break;
        case 1:
            sim::SetCursor(s.right - 1 - dx, s.bottom - 1 - dy);
            break;
        case 2:
            sim::SetCursor(s.right - 1 - dx, s.top + dy);
            break;
        case 3:
            sim::SetCursor(s.left + dx, s.top + dy);
            break;
        default:
            sim::SetCursor((s.left + s.right) / 2, (s.top + s.bottom) / 2);
            break;
    }
    sim::SetCursorFails(in_.ConsumeIntegralInRange(0, 15) == 0);
}

void Run::TrayClick() {
    // A click elsewhere closes the open menu rather than reaching the icon.
    if (pictureBox_ == 0 || menuDepth_ > 0 || !frmSysTray::Instance().loaded()) return;
    if (in_.ConsumeBool()) {
        sim::SendTrayEvent(pictureBox_, platform::TrayMouseEvent::LeftDoubleClick);
        return;
    }
    const int choice = Traced(in_.ConsumeIntegralInRange(-1, 4));
    sim::SetMenuChoice(choice < 0 ? std::nullopt : std::optional<std::string>(kMenuItems[choice]));
    const std::size_t menus = sim::MenuPopups().size();
    const std::size_t boxes = sim::MessageBoxes().size();
    sim::SendTrayEvent(pictureBox_, platform::TrayMouseEvent::RightButtonUp);
    if (choice != 1 || sim::MenuPopups().size() == menus || platform::QuitRequested()) return;
    // The toggle stores the opposite of the check mark the menu showed.
    Settings wanted = Stored();
    wanted.hotCorners = sim::MenuPopups()[menus].items[2].checked ? 0 : 1;
    CheckRefusalsSaid(wanted, Stored(), boxes, "the hot-corner toggle");
}

void Run::WindowInput() {
    if (!frmMain::IsLoaded()) {
        // Opened as the user opens it.
        if (pictureBox_ != 0 && menuDepth_ == 0 && frmSysTray::Instance().loaded()) {
            sim::SendTrayEvent(pictureBox_, platform::TrayMouseEvent::LeftDoubleClick);
        }
        return;
    }
    frmMain::Controls& c = frmMain::Instance().controls();
    const auto click = [&](platform::Control& control, int page) {
        if (page >= 0) sim::SelectTab(c.SSTab1.handle(), page);
        sim::Click(control.handle());
    };
    switch (Traced(in_.ConsumeIntegralInRange(0, 13))) {
        case 0:
            click(c.chkHotCorners, kSettingsPage);
            break;
        case 1:
            click(c.chkFullScreenGuard, kSettingsPage);
            break;
        case 2:
            click(c.chkAutoStartCurr, kSettingsPage);
            break;
        case 3:
            click(c.chkAutoStartAll, kSettingsPage);
            break;
        case 4:
        case 5: {
            const bool ok = in_.ConsumeBool();
            // Apply's own handler runs only where the user reaches the button.
            const bool reached = modalDepth_ == 0 && sim::IsShowing(c.btnApply.handle());
            const Settings wanted = Boxes();
            const std::size_t boxes = sim::MessageBoxes().size();
            storedAtModal_.reset();
            click(ok ? c.btnOK : c.btnApply, -1);
            if (!reached || platform::QuitRequested()) break;
            CheckRefusalsSaid(wanted, storedAtModal_.value_or(Stored()), boxes,
                              ok ? "OK" : "Apply");
            if (!ok && frmMain::IsLoaded()) CheckSettingsTab("after Apply");
            break;
        }
        case 6:
            click(in_.ConsumeBool() ? c.btnCancel : c.btnUnload, -1);
            break;
        case 7:
            click(c.lblWebsite, kAboutPage);
            break;
        case 8:
            click(c.lblEmail, kAboutPage);
            break;
        case 9:
            sim::MouseDown(c.Image.handle(), platform::kLeftButton,
                           in_.ConsumeIntegralInRange(0, 7));
            break;
        case 10:
            sim::Minimize(c.form.handle());
            break;
        case 11:
            // The close box of a window a box has disabled takes no click.
            if (modalDepth_ == 0) sim::CloseWindow(c.form.handle());
            break;
        case 12:
            sim::PressKey(c.form.handle(), in_.ConsumeBool() ? sim::Key::Enter : sim::Key::Escape);
            break;
        default:
            sim::SelectTab(c.SSTab1.handle(), in_.ConsumeIntegralInRange(0, 2));
            break;
    }
}

void Run::Shell() {
    switch (Traced(in_.ConsumeIntegralInRange(0, 4))) {
        case 0:  // Explorer restarts without telling
            sim::RecreateTray();
            iconDueAt_ = Now() + kIconBackMs;
            break;
        case 1:
            sim::BroadcastTaskbarCreated();
            if (ShellTakesTheIcon()) iconDueAt_ = std::min(iconDueAt_, Now() + kTickMs);
            break;
        case 2: {  // refuses, or takes again, one kind of request
            const int op = in_.ConsumeIntegralInRange(0, 3);
            const bool refuses = in_.ConsumeBool();
            sim::SetTrayRefuses(static_cast<sim::TrayOp>(op), refuses);
            refused_ = refuses ? refused_ | 1u << op : refused_ & ~(1u << op);
            iconDueAt_ = Now() + kIconBackMs;
            break;
        }
        case 3:  // gone
            sim::SetTrayRefuses(true);
            sim::RecreateTray();
            refused_ = 15;
            break;
        default:  // back
            sim::SetTrayRefuses(false);
            refused_ = 0;
            sim::BroadcastTaskbarCreated();
            iconDueAt_ = Now() + kTickMs;
            break;
    }
}

// A value becomes odd or ordinary, or a key read-only or writable again.
void Run::Registry() {
    const StoredValue& v =
        kValues[in_.ConsumeIntegralInRange<std::size_t>(0, std::size(kValues) - 1)];
    const int kind = in_.ConsumeIntegralInRange(0, 9);
    if (kind >= 8) {
        sim::RegDenyWrites(v.root, KeyOf(v), kind == 8);
        return;
    }
    // What the program reads no longer follows from what it wrote.
    stale_ |= v.setting;
    PutValue(v, kind);
}

// Absent, ordinary, or odd: of another type, empty, or too long to read.
void Run::PutValue(const StoredValue& v, int kind) {
    const std::string key = KeyOf(v);
    switch (kind) {
        case 0:
            sim::RegRemoveValue(v.root, key, v.name);
            break;
        case 1:
        case 2:
            sim::RegPutDword(v.root, key, v.name, kind - 1);
            break;
        case 3:
            sim::RegPutDword(v.root, key, v.name, 0xffffffffu);
            break;
        case 4:
            sim::RegPutString(v.root, key, v.name, v.run ? "C:\\Old Place\\Orbiquell.exe" : "1");
            break;
        case 5:
            sim::RegPutValue(v.root, key, v.name, platform::kRegSz, {});
            break;
        case 6:
            sim::RegPutValue(v.root, key, v.name, platform::kRegBinary,
                             std::vector<std::uint8_t>(1100, 'x'));
            break;
        default:
            sim::RegPutValue(v.root, key, v.name, platform::kRegDword, {});
            break;
    }
}

void Run::DuringModal() {
    sim::DuringNextModal([this] { DuringModal(); });
    const bool menu = sim::MenuPopups().size() > menusSeen_;
    menusSeen_ = sim::MenuPopups().size();
    if (menu && !(stale_ & kHotStale) &&
        sim::MenuPopups().back().items[2].checked != (Stored().hotCorners == 1)) {
        Broken("the tray menu's check mark shows what the registry holds");
    }
    if (!storedAtModal_) storedAtModal_ = Stored();
    ++modalDepth_;
    menuDepth_ += menu;
    gTrace += menu ? " menu[" : " box[";
    for (int n = modalDepth_ <= 3 ? in_.ConsumeIntegralInRange(0, 3) : 0;
         n > 0 && in_.remaining_bytes() > 0; --n) {
        Event();
    }
    gTrace += " ]";
    menuDepth_ -= menu;
    --modalDepth_;
}

void Run::Check() {
    if (platform::QuitRequested()) {
        const std::vector<std::size_t> records{
            sim::NotifyCalls().size(),         sim::MessageBoxes().size(),
            sim::ScreenSaverFlagSets().size(), sim::KeepAwakeCalls().size(),
            sim::MenuPopups().size(),          sim::ShellOpenCalls().size(),
            sim::StartedPrograms().size(),     sim::ScreenSaverStartWindows().size(),
            sim::ForegroundCalls().size(),     static_cast<std::size_t>(sim::WorkingSetTrims())};
        if (!recordsAtQuit_) recordsAtQuit_ = records;
        if (records != *recordsAtQuit_) Broken("no handler runs after the quit request");
        return;
    }
    CheckIcon(Now());
    CheckCorners();
    const bool loaded = frmMain::IsLoaded();
    if (loaded && !windowWasLoaded_) CheckSettingsTab("when it opens");
    windowWasLoaded_ = loaded;
}

void Run::CheckIcon(std::uint64_t now) {
    const std::vector<sim::TrayIcon> icons = sim::TrayIcons();
    if (icons.size() > 1) Broken("exactly one icon", std::to_string(icons.size()) + " icons");
    for (const sim::TrayIcon& icon : icons) {
        if (icon.image == 0) Broken("the icon has an image");
        if (icon.tip != kStartTip && !(icon.tip.starts_with(kUptimeTip) &&
                                       IsUptimeText(icon.tip.substr(kUptimeTip.size())))) {
            Broken("the tip is a well-formed uptime line", "\"" + icon.tip + "\"");
        }
    }
    if (!Running() || !ShellTakesTheIcon() || now < iconDueAt_) return;
    if (icons.empty()) Broken("the icon is back within 2 s, or a tick after TaskbarCreated");
    if (!icons[0].tip.starts_with(kUptimeTip)) Broken("the tip shows the uptime", icons[0].tip);
}

// Each visit to the bottom-left corner starts the screen saver once at most.
// The screen saver may stay off, and the display awake, only while hot
// corners are on and the bottom-right corner held the pointer at the last tick.
void Run::CheckCorners() {
    if (sim::PumpCount() != pumpsSeen_) {
        // The pointer stays where it is while time passes.
        pumpsSeen_ = sim::PumpCount();
        std::int32_t x = 0;
        std::int32_t y = 0;
        platform::CursorPosition(&x, &y);
        const platform::ScreenRect s = platform::MonitorAt(x, y).value_or(
            platform::ScreenRect{0, 0, platform::SystemMetric(platform::kSmCxScreen),
                                 platform::SystemMetric(platform::kSmCyScreen)});
        const bool bottom = gHotCornersEnabled == 1 && y >= s.bottom - 4;
        heldAtLastTick_ = bottom && x >= s.right - 4;
        if (!(bottom && x <= s.left + 4)) cornerStarts_ = 0;
    }
    if (cornerStarts_ > 1) Broken("the bottom-left corner starts the screen saver once a visit");
    const auto& sets = sim::ScreenSaverFlagSets();
    const auto& awake = sim::KeepAwakeCalls();
    const bool offByUs = !sets.empty() && !sets.back().active;
    const bool awakeByUs = !awake.empty() && awake.back();
    if ((offByUs || awakeByUs) && !(gHotCornersEnabled == 1 && heldAtLastTick_)) {
        Broken(gHotCornersEnabled == 1 ? "the hold ends when the pointer leaves the corner"
                                       : "the hold ends when hot corners are turned off",
               offByUs ? "screen saver left off" : "keep-awake request left in force");
    }
}

void Run::CheckSettingsTab(const char* when) {
    const Settings boxes = Boxes();
    const Settings stored = Stored();
    if (!Same(boxes, stored, stale_) && !Same(boxes, Shown(stored), stale_)) {
        const auto text = [](const Settings& s) {
            return std::to_string(s.hotCorners) + std::to_string(s.guard) +
                   std::to_string(s.allUsers) + std::to_string(s.currentUser);
        };
        Broken("the Settings tab shows what the registry holds",
               std::string(when) + ", boxes " + text(boxes) + ", registry " + text(stored) +
                   " (hot corners, guard, all users, current user)");
    }
}

// A setting the user asked for and the registry does not hold was named in
// a message.
void Run::CheckRefusalsSaid(const Settings& wanted, const Settings& stored, std::size_t boxesBefore,
                            const char* what) {
    if (!Same(wanted, stored, stale_) && sim::MessageBoxes().size() == boxesBefore) {
        Broken("a refused write is never silent", what);
    }
}

void Run::CheckAfterExit(int exitCode) {
    if (exitCode != 0) Broken("no exception out of a handler", "the program ended with an error");
    if (!sim::TrayIcons().empty() && !(refused_ & 8)) Broken("no icon after the end");
    if (sim::LiveTimerCount() != 0) Broken("no timer after the end");
    if (sim::LiveWindowCount() != 0) Broken("no window after the end");
    // Unless it was switched off from outside after the program's last word.
    if (!sim::ScreenSaverActive() &&
        saverSetsAtOutsideChange_ != sim::ScreenSaverFlagSets().size()) {
        Broken("the screen saver is active after the end");
    }
    const auto& awake = sim::KeepAwakeCalls();
    if (!awake.empty() && awake.back()) Broken("no keep-awake request after the end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetProgramState();
    gTrace.clear();
    FuzzedDataProvider in(data, size);
    Run run(in);
    run.SetUpWorld();
    run.Play();
    run.CheckAfterExit(RunOrbiquell());
    return 0;
}
