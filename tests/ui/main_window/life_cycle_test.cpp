#include <gtest/gtest.h>

#include "common/globals.h"
#include "main_window_test.h"
#include "uptime/uptime.h"

namespace {

using platform::WindowState;

class LifeCycleTest : public MainWindowTest {};

TEST_F(LifeCycleTest, LoadingFillsTheWindowBeforeItIsShown) {
    gComputerName = "WS7";
    sim::SetPerformanceCounter(true, 273906LL * 10'000'000, 10'000'000);
    Main().Load();
    auto& c = C();
    EXPECT_FALSE(sim::IsShowing(c.form.handle()));
    EXPECT_EQ(c.form.caption(), "Orbiquell");
    EXPECT_EQ(c.form.windowState(), WindowState::Normal);
    EXPECT_EQ(c.txtUptime.text(), "WS7 has been up for 3 days, 4:05:06");
    EXPECT_EQ(c.txtStartTime.text(), "up since " + GetStartTime());
    EXPECT_FALSE(c.txtMemUsage.text().empty());
    EXPECT_FALSE(c.txtCpuUsage.text().empty());
    for (const platform::TextField* field :
         {&c.txtUptime, &c.txtStartTime, &c.txtCpuUsage, &c.txtMemUsage}) {
        EXPECT_TRUE(field->hasButtonFaceBackground());
    }
    ASSERT_NE(Main().mCPULoad, nullptr);
    EXPECT_EQ(Main().mVersionText, "Orbiquell 1.5.0");
    EXPECT_EQ(c.SSTab1.selected(), kStatusPage);
    EXPECT_EQ(sim::CommonControlsCalls().size(), 1u);
}

TEST_F(LifeCycleTest, WithoutAComputerNameTheUptimeStartsWithASpace) {
    sim::SetPerformanceCounter(true, 273906LL * 10'000'000, 10'000'000);
    Open();
    EXPECT_EQ(C().txtUptime.text(), " has been up for 3 days, 4:05:06");
}

TEST_F(LifeCycleTest, EveryLoadStepRunsWhenOthersFail) {
    // No common controls and no Windows version: the visual styles and the CPU
    // sampler cannot be had, yet the rest of the window fills.
    sim::SetCommonControlsMissing(true);
    sim::SetOsVersion(std::nullopt);
    gAutoStartAllUsers = 1;
    auto& c = Open();
    EXPECT_EQ(Main().mCPULoad, nullptr);
    EXPECT_EQ(c.txtCpuUsage.text(), "");  // keeps what it had
    EXPECT_NE(c.txtUptime.text(), "");
    EXPECT_EQ(c.lblVersion.text(), "version 1.5.0  (23 August 2005)");
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);
    EXPECT_TRUE(Showing(c.form));
    // The refresh goes on without the sampler.
    sim::AdvanceTime(1000);
    EXPECT_EQ(c.txtCpuUsage.text(), "");
}

TEST_F(LifeCycleTest, RefreshesEverySecondWhileLoadedEvenHidden) {
    gComputerName = "SIMPC";
    auto& c = Open();
    sim::SetPerformanceCounter(true, 100LL * 10'000'000, 10'000'000);
    sim::AdvanceTime(999);
    EXPECT_NE(c.txtUptime.text(), "SIMPC has been up for 0 days, 0:01:40");
    sim::AdvanceTime(1);
    EXPECT_EQ(c.txtUptime.text(), "SIMPC has been up for 0 days, 0:01:41");

    sim::Minimize(c.form.handle());
    EXPECT_FALSE(Showing(c.form));
    ASSERT_TRUE(Main().loaded());
    sim::AdvanceTime(2000);
    EXPECT_EQ(c.txtUptime.text(), "SIMPC has been up for 0 days, 0:01:43");
    const std::string startTime = c.txtStartTime.text();
    sim::AdvanceTime(5000);
    EXPECT_EQ(c.txtStartTime.text(), startTime);
}

TEST_F(LifeCycleTest, MinimisingHidesAndTheNextShowRestoresInPlace) {
    auto& c = Open();
    c.SSTab1.select(kAboutPage);
    const sim::FormPlacement placed = sim::PlacementOf(c.form.handle());
    const int trims = sim::WorkingSetTrims();

    sim::Minimize(c.form.handle());
    EXPECT_FALSE(Showing(c.form));
    EXPECT_EQ(c.form.windowState(), WindowState::Normal);
    EXPECT_GT(sim::WorkingSetTrims(), trims);

    Main().Show();
    EXPECT_TRUE(Showing(c.form));
    EXPECT_EQ(c.form.windowState(), WindowState::Normal);
    EXPECT_EQ(c.SSTab1.selected(), kAboutPage);
    EXPECT_EQ(sim::PlacementOf(c.form.handle()).x, placed.x);
    EXPECT_EQ(sim::PlacementOf(c.form.handle()).y, placed.y);
}

TEST_F(LifeCycleTest, TheCloseBoxUnloadsAndReopeningStartsAfresh) {
    gHotCornersEnabled = 1;
    auto& c = Open();
    c.SSTab1.select(kSettingsPage);
    sim::Click(c.chkHotCorners.handle());
    sim::Click(c.chkAutoStartCurr.handle());
    const int windowsOpen = sim::LiveWindowCount();
    const int timersOpen = sim::LiveTimerCount();

    sim::CloseWindow(c.form.handle());
    EXPECT_FALSE(Main().loaded());
    EXPECT_EQ(Main().mCPULoad, nullptr);
    EXPECT_LT(sim::LiveWindowCount(), windowsOpen);
    EXPECT_EQ(sim::LiveTimerCount(), timersOpen - 1);
    EXPECT_FALSE(platform::QuitRequested());

    auto& again = Open();
    EXPECT_EQ(again.SSTab1.selected(), kStatusPage);
    EXPECT_EQ(again.chkHotCorners.value(), 1);
    EXPECT_EQ(again.chkAutoStartCurr.value(), 0);
    EXPECT_NE(Main().mCPULoad, nullptr);
    EXPECT_EQ(sim::LiveWindowCount(), windowsOpen);
}

TEST_F(LifeCycleTest, AnUnloadedWindowNoLongerRefreshes) {
    auto& c = Open();
    const platform::Handle form = c.form.handle();
    sim::CloseWindow(form);
    const int before = sim::LiveTimerCount();
    sim::AdvanceTime(5000);
    EXPECT_EQ(sim::LiveTimerCount(), before);
    EXPECT_FALSE(Main().loaded());
}

TEST_F(LifeCycleTest, IsCentredAtEachLoad) {
    auto& c = Open();
    const sim::FormPlacement placed = sim::PlacementOf(c.form.handle());
    EXPECT_EQ(placed.clientWidthPx, 354);
    EXPECT_EQ(placed.clientHeightPx, 343);
    EXPECT_NEAR(placed.x + placed.clientWidthPx / 2, 512, 5);
    EXPECT_NEAR(placed.y + placed.clientHeightPx / 2, 384, 15);
}

TEST_F(LifeCycleTest, ANeverOpenedWindowCostsNothing) {
    const int windows = sim::LiveWindowCount();
    const int timers = sim::LiveTimerCount();
    sim::AdvanceTime(3000);
    EXPECT_FALSE(frmMain::IsLoaded());
    EXPECT_EQ(sim::LiveWindowCount(), windows);
    EXPECT_EQ(sim::LiveTimerCount(), timers);
}

TEST_F(LifeCycleTest, TheStatusTabShowsOnlyItsOwnControls) {
    auto& c = Open();
    EXPECT_TRUE(Showing(c.txtUptime));
    EXPECT_FALSE(Showing(c.chkHotCorners));
    EXPECT_FALSE(Showing(c.lblWebsite));
    EXPECT_TRUE(Showing(c.btnApply));
    sim::SelectTab(c.SSTab1.handle(), kSettingsPage);
    EXPECT_FALSE(Showing(c.txtUptime));
    EXPECT_TRUE(Showing(c.chkHotCorners));
    EXPECT_TRUE(Showing(c.btnApply));
}

}  // namespace
