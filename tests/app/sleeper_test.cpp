#include "app/sleeper.h"

#include <gtest/gtest.h>

#include <functional>

#include "../support/sim_test.h"
#include "app/tray/sys_tray.h"
#include "ui/main_window/main_window_controls.h"

namespace {

constexpr std::int32_t kWidth = 1024;
constexpr std::int32_t kHeight = 768;

class SleeperTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        mHotCorners = {};
        platform::OsVersion nt;
        nt.platformId = 2;
        nt.majorVersion = 5;
        sim::SetOsVersion(nt);
        sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners",
                         1);
        frmSysTray::Instance().Load();
    }
    // One run of the watch with the cursor at (x, y).
    static void At(std::int32_t x, std::int32_t y) {
        sim::SetCursor(x, y);
        UpdateSleeper();
    }
    static platform::Handle Image(TrayImage image) {
        return frmSysTray::Instance().trayIcon().images.handle(image);
    }
    static platform::Handle ShownIcon() { return sim::TrayIcons().at(0).image; }
};

TEST_F(SleeperTest, CornerBoundsInPixels) {
    const struct {
        std::int32_t x, y;
        bool left, right;
    } points[] = {
        {0, kHeight - 1, true, false},
        {4, kHeight - 4, true, false},
        {5, kHeight - 1, false, false},
        {4, kHeight - 5, false, false},
        {kWidth - 4, kHeight - 4, false, true},
        {kWidth - 1, kHeight - 1, false, true},
        {kWidth - 5, kHeight - 1, false, false},
        {kWidth - 1, kHeight - 5, false, false},
        {0, 0, false, false},
    };
    for (const auto& p : points) {
        mHotCorners = {};
        At(p.x, p.y);
        EXPECT_EQ(mHotCorners.BottomLeftState, p.left ? 1 : 0) << p.x << "," << p.y;
        EXPECT_EQ(mHotCorners.BottomRightState, p.right ? 1 : 0) << p.x << "," << p.y;
    }
    EXPECT_EQ(mHotCorners.ScreenWidth, kWidth);
    EXPECT_EQ(mHotCorners.ScreenHeight, kHeight);
}

TEST_F(SleeperTest, RestingBottomLeftStartsTheScreenSaverOncePerVisit) {
    At(0, kHeight - 1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleepNow));
    EXPECT_EQ(sim::ScreenSaverStarts(), 0);
    At(0, kHeight - 1);
    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
    for (int i = 0; i < 10; ++i) At(2, kHeight - 2);
    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleepNow));

    At(500, 300);  // out
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_none));
    At(0, kHeight - 1);
    At(0, kHeight - 1);  // back in for two ticks
    EXPECT_EQ(sim::ScreenSaverStarts(), 2);
}

TEST_F(SleeperTest, PassingThroughForOneTickStartsNothing) {
    At(0, kHeight - 1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleepNow));
    At(200, kHeight - 1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_none));
    EXPECT_EQ(sim::ScreenSaverStarts(), 0);
}

TEST_F(SleeperTest, RestingBottomRightHoldsTheScreenSaverOffUntilLeaving) {
    At(kWidth - 1, kHeight - 1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleepNever_none));
    EXPECT_TRUE(sim::ScreenSaverActive());
    At(kWidth - 1, kHeight - 1);
    EXPECT_FALSE(sim::ScreenSaverActive());
    const std::size_t calls = sim::ScreenSaverFlagSets().size();
    for (int i = 0; i < 5; ++i) At(kWidth - 2, kHeight - 3);
    EXPECT_EQ(sim::ScreenSaverFlagSets().size(), calls);
    EXPECT_FALSE(sim::ScreenSaverActive());

    At(kWidth / 2, kHeight / 2);
    EXPECT_TRUE(sim::ScreenSaverActive());
    EXPECT_EQ(mHotCorners.BottomRightState, 0);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_none));
}

TEST_F(SleeperTest, LeavingAnArmedBottomRightCornerStillSwitchesOn) {
    sim::SetScreenSaverActive(false);  // switched off by something else
    At(kWidth - 1, kHeight - 1);
    At(0, 0);
    EXPECT_TRUE(sim::ScreenSaverActive());
    const auto& last = sim::ScreenSaverFlagSets().back();
    EXPECT_TRUE(last.active);
    EXPECT_TRUE(last.persist);
}

TEST_F(SleeperTest, DisabledWatchLeavesTheBottomLeftStateAsItIs) {
    At(0, kHeight - 1);
    At(0, kHeight - 1);  // fired: screen saver started
    gHotCornersEnabled = 0;
    At(0, 0);  // the watch does not run
    EXPECT_EQ(mHotCorners.BottomLeftState, 2);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleepNow));

    gHotCornersEnabled = 1;
    At(0, 0);
    EXPECT_EQ(mHotCorners.BottomLeftState, 0);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_none));
}

TEST_F(SleeperTest, DisabledWithIdleCornersChangesNothing) {
    gHotCornersEnabled = 0;
    for (int i = 0; i < 3; ++i) At(0, kHeight - 1);
    for (int i = 0; i < 3; ++i) At(kWidth - 1, kHeight - 1);
    EXPECT_EQ(sim::ScreenSaverStarts(), 0);
    EXPECT_TRUE(sim::ScreenSaverActive());
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_none));
}

TEST_F(SleeperTest, ScreenSizeIsReadAgainEachTick) {
    sim::SetScreenSize(1280, 1024);
    At(kWidth - 1, kHeight - 1);  // the old screen's corner is no corner any more
    EXPECT_EQ(mHotCorners.BottomRightState, 0);
    At(1279, 1023);
    EXPECT_EQ(mHotCorners.BottomRightState, 1);
    EXPECT_EQ(mHotCorners.ScreenWidth, 1280);
    EXPECT_EQ(mHotCorners.ScreenHeight, 1024);
}

TEST_F(SleeperTest, FailedCursorReadCountsAsTopLeft) {
    sim::SetCursor(0, kHeight - 1);
    sim::SetCursorFails(true);
    UpdateSleeper();
    UpdateSleeper();
    EXPECT_EQ(mHotCorners.BottomLeftState, 0);
    EXPECT_EQ(sim::ScreenSaverStarts(), 0);
}

TEST(IconChoice, Matrix) {
    using T = TrayImage;
    const T never[] = {T::imgSleepNever_none, T::imgSleepNever_rx, T::imgSleepNever_tx,
                       T::imgSleepNever_rxtx};
    const T normal[] = {T::imgIcon_none, T::imgIcon_rx, T::imgIcon_tx, T::imgIcon_rxtx};
    const T disabled[] = {T::imgSleeperDisabled_none, T::imgSleeperDisabled_rx,
                          T::imgSleeperDisabled_tx, T::imgSleeperDisabled_rxtx};
    for (int activity = 0; activity < 4; ++activity) {
        const bool rx = activity == 1 || activity == 3;
        const bool tx = activity == 2 || activity == 3;
        for (std::uint8_t right : {1, 2}) {
            for (std::uint8_t left : {0, 1, 2}) {
                for (std::uint8_t flag : {0, 1}) {
                    HotCornerState s;
                    s.BottomRightState = right;
                    s.BottomLeftState = left;
                    EXPECT_EQ(ChooseTrayImage(s, flag, rx, tx), never[activity]);
                }
            }
        }
        for (std::uint8_t left : {1, 2}) {
            HotCornerState s;
            s.BottomLeftState = left;
            EXPECT_EQ(ChooseTrayImage(s, 1, rx, tx), T::imgSleepNow);
            EXPECT_EQ(ChooseTrayImage(s, 0, rx, tx), T::imgSleepNow);
        }
        EXPECT_EQ(ChooseTrayImage({}, 1, rx, tx), normal[activity]);
        EXPECT_EQ(ChooseTrayImage({}, 0, rx, tx), disabled[activity]);
    }
}

// The corners are those of the screen the cursor is on: screens left of (taller,
// at negative coordinates), right of and below the primary one.
TEST_F(SleeperTest, CornersOfTheCursorsScreen) {
    sim::SetMonitors(
        {{0, 0, 1024, 768}, {-1280, 0, 0, 1024}, {1024, 0, 2944, 1080}, {0, 768, 1024, 1536}});
    const struct {
        std::int32_t x, y;
        bool left, right;
    } points[] = {
        {0, 767, true, false},      {1023, 767, false, true},   {-1280, 1023, true, false},
        {-1276, 1020, true, false}, {-600, 1023, false, false}, {-600, 767, false, false},
        {-4, 1020, false, true},    {-5, 1023, false, false},   {2000, 1079, false, false},
        {1028, 1079, true, false},  {2943, 1079, false, true},  {0, 1000, false, false},
        {0, 1535, true, false},     {2000, 767, false, false},
    };
    for (const auto& p : points) {
        mHotCorners = {};
        At(p.x, p.y);
        EXPECT_EQ(mHotCorners.BottomLeftState, p.left ? 1 : 0) << p.x << "," << p.y;
        EXPECT_EQ(mHotCorners.BottomRightState, p.right ? 1 : 0) << p.x << "," << p.y;
    }
    // Windows without monitor functions know the primary screen alone.
    sim::SetMonitorFunctionsMissing(true);
    mHotCorners = {};
    At(1023, 767);
    EXPECT_EQ(mHotCorners.BottomRightState, 1);
    EXPECT_EQ(mHotCorners.ScreenWidth, kWidth);
}

// While the bottom-right corner holds the screen saver off, the display stays
// on; leaving the corner and ending the program let it go.
TEST_F(SleeperTest, HeldOffTheDisplayStaysOn) {
    At(kWidth - 1, kHeight - 1);
    EXPECT_TRUE(sim::KeepAwakeCalls().empty());
    At(kWidth - 1, kHeight - 1);
    EXPECT_EQ(sim::KeepAwakeCalls(), std::vector<bool>{true});
    At(0, 0);
    EXPECT_EQ(sim::KeepAwakeCalls(), (std::vector<bool>{true, false}));
    At(kWidth - 1, kHeight - 1);
    At(kWidth - 1, kHeight - 1);
    frmSysTray::Instance().menuExit_Click();
    EXPECT_EQ(sim::KeepAwakeCalls(), (std::vector<bool>{true, false, true, false}));
}

// With the guard on, a program that fills the cursor's screen from the front
// keeps the bottom-left corner from firing; the bottom-right one still holds.
TEST_F(SleeperTest, FullScreenGuard) {
    const platform::ScreenRect primary{0, 0, 1024, 768};
    const platform::ScreenRect right{1024, 0, 2944, 1080};
    sim::SetMonitors({primary, right});
    using Shell = platform::ShellFullScreen;
    const platform::FrontWindow fills{primary, false, false, primary};
    const platform::FrontWindow gameOnRight{right, false, false, right};
    const platform::FrontWindow framedOnPrimary{{100, 100, 600, 500}, true, false, primary};
    const struct {
        const char* what;
        std::uint8_t guard;
        std::optional<platform::FrontWindow> front;
        Shell shell;
        bool guarded;
    } cases[] = {
        {"full screen on the cursor's screen", 1, fills, Shell::None, true},
        {"full screen on another screen", 1, gameOnRight, Shell::None, false},
        {"maximised", 1, platform::FrontWindow{{-8, -8, 1032, 776}, true, false, primary},
         Shell::None, false},
        {"framed at the screen's size", 1, platform::FrontWindow{primary, true, false, primary},
         Shell::None, false},
        {"the desktop", 1, platform::FrontWindow{primary, false, true, primary}, Shell::None,
         false},
        {"the shell's full-screen program in front on this screen", 1, framedOnPrimary,
         Shell::Program, true},
        {"the shell's full-screen program on another screen", 1, gameOnRight, Shell::Program,
         false},
        {"the shell's full-screen program, nothing in front", 1, std::nullopt, Shell::Program,
         false},
        {"presentation mode holds for every screen", 1, gameOnRight, Shell::Presentation, true},
        {"guard off", 0, fills, Shell::Presentation, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::SetScreenSaverRunning(false);  // the one an earlier case started
        mHotCorners = {};
        gFullScreenGuard = c.guard;
        sim::SetForegroundWindowFacts(c.front);
        sim::SetShellFullScreen(c.shell);
        const int starts = sim::ScreenSaverStarts();
        At(0, kHeight - 1);
        EXPECT_EQ(ShownIcon() == Image(TrayImage::imgSleepNow), !c.guarded);
        At(0, kHeight - 1);
        EXPECT_EQ(sim::ScreenSaverStarts(), starts + (c.guarded ? 0 : 1));
        EXPECT_EQ(mHotCorners.BottomLeftState, c.guarded ? 0 : 2);
        At(kWidth - 1, kHeight - 1);
        EXPECT_EQ(mHotCorners.BottomRightState, 1);
    }
    // A running screen saver is a captionless window the size of the screen
    // in front, which the shell may call a full-screen program: it is none.
    sim::SetScreenSaverRunning(true);
    sim::SetForegroundWindowFacts(fills);
    sim::SetShellFullScreen(Shell::Program);
    mHotCorners = {};
    At(0, kHeight - 1);
    EXPECT_EQ(mHotCorners.BottomLeftState, 1);
}

// The screen saver the corner started fills the screen from the front. Ended
// with the pointer still in the corner, it must not start again: the guard
// keeps a corner from firing, never clears one that fired.
TEST_F(SleeperTest, TheGuardDoesNotRestartTheScreenSaverItStarted) {
    gFullScreenGuard = 1;
    const platform::FrontWindow saver{
        {0, 0, kWidth, kHeight}, false, false, {0, 0, kWidth, kHeight}};
    for (const bool windowsTellsItRuns : {true, false}) {
        SCOPED_TRACE(windowsTellsItRuns ? "Windows says a saver runs" : "Windows cannot tell");
        mHotCorners = {};
        const int starts = sim::ScreenSaverStarts();
        At(0, kHeight - 1);
        At(0, kHeight - 1);
        ASSERT_EQ(sim::ScreenSaverStarts(), starts + 1);
        sim::SetScreenSaverRunning(windowsTellsItRuns);
        sim::SetForegroundWindowFacts(saver);
        At(0, kHeight - 1);
        At(0, kHeight - 1);
        sim::SetScreenSaverRunning(false);
        sim::SetForegroundWindowFacts(std::nullopt);
        for (int tick = 0; tick < 4; ++tick) At(0, kHeight - 1);
        EXPECT_EQ(sim::ScreenSaverStarts(), starts + 1);
    }
}

// Switched off while the bottom-right corner holds, from the tray menu or at
// Apply, hot corners let go at once: nothing would otherwise ever see the
// pointer leave. Switched off with nothing held, the flag is left alone.
TEST_F(SleeperTest, SwitchingOffEndsTheHold) {
    const std::function<void()> switchOff[] = {
        [] {
            sim::SetMenuChoice("Enable &Hot Corners");
            sim::SendTrayEvent(frmSysTray::Instance().trayIcon().window,
                               platform::TrayMouseEvent::RightButtonUp);
        },
        [] {
            frmMain::Instance().Show();
            auto& c = frmMain::Instance().controls();
            sim::SelectTab(c.SSTab1.handle(), kSettingsPage);
            sim::Click(c.chkHotCorners.handle());
            sim::Click(c.btnApply.handle());
        },
    };
    for (const auto& off : switchOff) {
        gHotCornersEnabled = 1;
        sim::ClearRecords();
        At(kWidth - 1, kHeight - 1);
        At(kWidth - 1, kHeight - 1);
        ASSERT_FALSE(sim::ScreenSaverActive());
        off();
        ASSERT_EQ(gHotCornersEnabled, 0);
        EXPECT_TRUE(sim::ScreenSaverActive());
        EXPECT_EQ(sim::KeepAwakeCalls(), (std::vector<bool>{true, false}));
        At(kWidth - 1, kHeight - 1);
        EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_none));
        frmMain::Instance().Unload();
    }
    gHotCornersEnabled = 1;
    sim::ClearRecords();
    sim::SetScreenSaverActive(false);  // the user's own choice
    switchOff[0]();
    EXPECT_TRUE(sim::ScreenSaverFlagSets().empty());
}

}  // namespace
