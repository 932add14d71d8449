#include <gtest/gtest.h>

#include <string>

#include "../support/sim_test.h"
#include "app/tray/sys_tray.h"
#include "ui/main_window/frm_main.h"

namespace {

constexpr std::uint32_t kHkcu = platform::kHKeyCurrentUser;
constexpr std::uint32_t kHklm = platform::kHKeyLocalMachine;
const char* const kSettings = "Software\\Orbiquell\\Settings";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class StartupTest : public SimTest {
  protected:
    static frmSysTray& Start() {
        frmSysTray::Instance().Load();
        return frmSysTray::Instance();
    }
    static platform::Handle Image(TrayImage image) {
        return frmSysTray::Instance().trayIcon().images.handle(image);
    }
};

TEST_F(StartupTest, AddsTheIconThenShowsTheUptime) {
    sim::SetPerformanceCounter(true, 273906LL * 10'000'000, 10'000'000);
    auto& form = Start();
    const auto& calls = sim::NotifyCalls();
    ASSERT_EQ(calls.size(), 2u);

    EXPECT_EQ(calls[0].op, sim::TrayOp::Add);
    EXPECT_EQ(calls[0].window, form.trayIcon().window);
    EXPECT_EQ(calls[0].image, Image(TrayImage::imgSleeperDisabled_none));
    EXPECT_EQ(calls[0].tip, "SIMPC Orbiquell");

    EXPECT_EQ(calls[1].op, sim::TrayOp::ModifyTip);
    EXPECT_EQ(calls[1].tip, "SIMPC up for 3 days, 4:05:06");

    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "SIMPC up for 3 days, 4:05:06");
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_FALSE(platform::QuitRequested());
}

TEST_F(StartupTest, FillsTheProcessWideState) {
    platform::OsVersion xp;
    xp.platformId = 2;
    xp.majorVersion = 5;
    sim::SetOsVersion(xp);
    sim::SetComputerName("WS7");
    sim::SetPerformanceCounter(true, 100LL * 10'000'000, 10'000'000);
    Start();
    EXPECT_EQ(gPlatformId, 2);
    EXPECT_TRUE(gIsWin2kOrLater);
    EXPECT_EQ(gComputerName, "WS7");
    EXPECT_EQ(gStartTime, "06-Dec-05 8:02:29 am");
}

TEST_F(StartupTest, UnreadableComputerNameLeavesBlankPrefixes) {
    sim::SetComputerName(std::nullopt);
    Start();
    const auto& calls = sim::NotifyCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].tip, " Orbiquell");
    EXPECT_EQ(calls[1].tip.rfind(" up for ", 0), 0u);
}

TEST_F(StartupTest, HotCornerFlagFromTheMachineSetting) {
    const struct {
        const char* what;
        std::optional<std::uint32_t> stored;
        std::uint8_t flag;
    } cases[] = {
        {"absent", std::nullopt, 0},
        {"0", 0u, 0},
        {"1", 1u, 1},
        {"2", 2u, 1},
        {"255", 255u, 1},
        {"256", 256u, 1},
        {"-1", 0xFFFFFFFFu, 1},
    };
    for (const auto& c : cases) {
        sim::Reset();
        ResetGlobals();
        frmSysTray::Destroy();
        if (c.stored) sim::RegPutDword(kHklm, kSettings, "HotCorners", *c.stored);
        Start();
        EXPECT_EQ(gHotCornersEnabled, c.flag) << c.what;
        EXPECT_EQ(sim::NotifyCalls().at(0).image,
                  Image(c.flag == 1 ? TrayImage::imgIcon_none : TrayImage::imgSleeperDisabled_none))
            << c.what;
    }
}

TEST_F(StartupTest, HotCornersStoredAsTextReadAsOff) {
    sim::RegPutString(kHklm, kSettings, "HotCorners", "1");
    Start();
    EXPECT_EQ(gHotCornersEnabled, 0);
}

TEST_F(StartupTest, MigrationRunsBeforeTheSettingIsRead) {
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    Start();
    EXPECT_EQ(gHotCornersEnabled, 1);
    EXPECT_FALSE(sim::RegKeyExists(kHkcu, "Software\\Orbiquell"));
    EXPECT_EQ(sim::NotifyCalls().at(0).image, Image(TrayImage::imgIcon_none));
}

TEST_F(StartupTest, AnOldSettingThatCannotBeMovedStillHoldsThisRun) {
    sim::RegPutDword(kHklm, kSettings, "HotCorners", 0);
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    sim::RegDenyWrites(kHklm, true);
    sim::RegDenyWrites(kHkcu, true);
    Start();
    EXPECT_EQ(gHotCornersEnabled, 1);
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));
}

// A per-user value, kept where the machine's could not be written, wins.
TEST_F(StartupTest, TheUsersSettingWinsOverTheMachines) {
    for (const std::uint32_t user : {1u, 0u}) {
        SetUp();
        sim::RegPutDword(kHklm, kSettings, "HotCorners", 1 - user);
        sim::RegPutDword(kHklm, kSettings, "FullScreenGuard", 1 - user);
        sim::RegPutDword(kHkcu, kSettings, "HotCorners", user);
        sim::RegPutDword(kHkcu, kSettings, "FullScreenGuard", user);
        Start();
        EXPECT_EQ(gHotCornersEnabled, user);
        EXPECT_EQ(gFullScreenGuard, user);
    }
}

TEST_F(StartupTest, AutoStartFlagsCountAnyReadableRunValue) {
    sim::RegPutString(kHkcu, kRun, "Orbiquell", "D:\\Elsewhere\\Other.exe");
    sim::RegPutDword(kHklm, kRun, "Orbiquell", 1);  // any type counts
    Start();
    EXPECT_EQ(gAutoStartCurrentUser, 0) << "both present: the migration keeps only all-users";
    EXPECT_EQ(gAutoStartAllUsers, 1);

    sim::Reset();
    ResetGlobals();
    frmSysTray::Destroy();
    sim::RegPutString(kHkcu, kRun, "Orbiquell", "D:\\Elsewhere\\Other.exe");
    Start();
    EXPECT_EQ(gAutoStartCurrentUser, 1);
    EXPECT_EQ(gAutoStartAllUsers, 0);
}

TEST_F(StartupTest, EmptyAllUsersRunValueIsRemovedAndReadsAsOff) {
    sim::RegPutString(kHklm, kRun, "Orbiquell", "");
    Start();
    EXPECT_EQ(gAutoStartAllUsers, 0);
    EXPECT_FALSE(sim::RegGetValue(kHklm, kRun, "Orbiquell"));
}

TEST_F(StartupTest, SecondInstanceWarnsAndEndsWithoutTouchingAnything) {
    sim::SetPreviousInstance(true);
    sim::SetMessageBoxOpenTime(3000);  // ticks would come due while it is up
    sim::SetScreenSaverActive(false);
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    // The shell comes up while the box is open: there is no icon to bring back.
    sim::DuringNextModal([] { sim::BroadcastTaskbarCreated(); });
    auto& form = Start();

    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    const auto& box = sim::MessageBoxes()[0];
    EXPECT_EQ(box.prompt,
              "An instance of Orbiquell is already running.\r\n"
              "Shut it down before attempting to start another instance.");
    EXPECT_EQ(box.style, 48u);
    EXPECT_EQ(box.title, "Orbiquell");

    // The shutdown steps ran: screen saver on, removal of an icon never added.
    EXPECT_TRUE(sim::ScreenSaverActive());
    ASSERT_EQ(sim::NotifyCalls().size(), 1u);
    EXPECT_EQ(sim::NotifyCalls()[0].op, sim::TrayOp::Delete);
    EXPECT_FALSE(sim::NotifyCalls()[0].accepted);
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_FALSE(form.loaded());

    // Nothing else of start-up ran.
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));
    EXPECT_EQ(gComputerName, "");
    EXPECT_EQ(gStartTime, "");
    // And no tick can add an icon afterwards.
    sim::AdvanceTime(2000);
    EXPECT_EQ(sim::NotifyCalls().size(), 1u);
    EXPECT_TRUE(sim::TrayIcons().empty());
}

TEST_F(StartupTest, PopupSwitchIsTheWholeArgumentInAnyCase) {
    for (const char* yes : {"-POPUP", "-popup", "-PoPuP"}) EXPECT_TRUE(IsPopupSwitch(yes)) << yes;
    for (const char* no : {"", "/popup", "-POPUP x", "x -POPUP", "-POPUP ", "--POPUP", "POPUP"}) {
        EXPECT_FALSE(IsPopupSwitch(no)) << no;
    }
}

TEST_F(StartupTest, PopupSwitchShowsTheMainWindowAfterTheIcon) {
    sim::SetCommandLine("-Popup");
    Start();
    ASSERT_TRUE(frmMain::IsLoaded());
    EXPECT_TRUE(sim::IsShowing(frmMain::Instance().hWnd()));
    EXPECT_EQ(sim::TrayIcons().size(), 1u);
}

TEST_F(StartupTest, WithoutTheSwitchTheMainWindowIsNeverCreated) {
    sim::SetCommandLine("/popup");
    Start();
    EXPECT_FALSE(frmMain::IsLoaded());
    sim::AdvanceTime(3000);
    EXPECT_FALSE(frmMain::IsLoaded());
}

// The requests that carried a tip, leaving out the image updates.
std::vector<sim::NotifyCall> TipCalls() {
    std::vector<sim::NotifyCall> tips;
    for (const auto& call : sim::NotifyCalls()) {
        if (call.op == sim::TrayOp::Add || call.op == sim::TrayOp::ModifyTip) tips.push_back(call);
    }
    return tips;
}

TEST_F(StartupTest, TheFirstTickBringsTheTipUpToDate) {
    sim::SetPerformanceCounter(true, 59LL * 10'000'000 + 7'000'000, 10'000'000);
    Start();
    EXPECT_EQ(TipCalls().back().tip, "SIMPC up for 0 days, 0:01:00");  // 59.7 s
    const std::size_t afterStart = TipCalls().size();
    sim::AdvanceTime(399);
    EXPECT_EQ(TipCalls().size(), afterStart);
    sim::AdvanceTime(1);  // 60.1 s: the same text, not sent again
    EXPECT_EQ(TipCalls().size(), afterStart);
    sim::AdvanceTime(800);  // 60.9 s
    ASSERT_EQ(TipCalls().size(), afterStart + 1);
    EXPECT_EQ(TipCalls().back().tip, "SIMPC up for 0 days, 0:01:01");
}

TEST_F(StartupTest, LostIconIsBackWithinASecond) {
    sim::RegPutDword(kHklm, kSettings, "HotCorners", 1);
    Start();
    sim::RecreateTray();
    // The next change of the tip's text, within a second, finds it lost.
    for (int ms = 0; ms < 1000 && sim::TrayIcons().empty(); ms += 400) sim::AdvanceTime(400);
    const auto tips = TipCalls();
    ASSERT_GE(tips.size(), 2u);
    const auto& refused = tips[tips.size() - 2];
    const auto& readded = tips.back();
    EXPECT_EQ(refused.op, sim::TrayOp::ModifyTip);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(readded.op, sim::TrayOp::Add);
    EXPECT_EQ(readded.tip, "SIMPC Orbiquell");
    EXPECT_EQ(readded.image, Image(TrayImage::imgIcon_none));
    ASSERT_EQ(sim::TrayIcons().size(), 1u);

    sim::AdvanceTime(400);
    EXPECT_EQ(sim::TrayIcons()[0].tip.rfind("SIMPC up for ", 0), 0u);
}

}  // namespace
