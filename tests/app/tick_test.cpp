#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../support/alloc_counter.h"
#include "../support/sim_test.h"
#include "app/sleeper.h"
#include "monitors/ip_helper.h"
#include "res/resource_ids.h"

namespace {

constexpr std::uint32_t kTickMs = 400;

class TickTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        mHotCorners = {};
    }
    static void Start() { frmSysTray::Instance().Load(); }
    static void Ticks(int count) {
        for (int i = 0; i < count; ++i) sim::AdvanceTime(kTickMs);
    }
    static platform::Handle ShownIcon() { return sim::TrayIcons().at(0).image; }
    static platform::Handle Image(TrayImage image) {
        return frmSysTray::Instance().trayIcon().images.handle(image);
    }
};

TEST_F(TickTest, StepsRunInOrderEachTick) {
    // 59.4 s at the start, 59.8 s, that is 0:01:00, at the first tick; and
    // the pointer resting in the bottom-left corner gives another image.
    sim::SetPerformanceCounter(true, 594, 10);
    sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    sim::SetCursor(0, 767);
    Start();
    const std::size_t notifies = sim::NotifyCalls().size();
    const int tables = sim::InterfaceTableReads();
    const int pumps = sim::PumpCount();
    Ticks(1);
    // Network totals first, then the tip, then the image, then the messages.
    EXPECT_GT(sim::InterfaceTableReads(), tables);
    ASSERT_EQ(sim::NotifyCalls().size(), notifies + 2);
    EXPECT_EQ(sim::NotifyCalls()[notifies].op, sim::TrayOp::ModifyTip);
    EXPECT_EQ(sim::NotifyCalls()[notifies + 1].op, sim::TrayOp::ModifyImage);
    EXPECT_EQ(sim::PumpCount(), pumps + 1);
}

TEST_F(TickTest, TheShellHearsOnlyOfChanges) {
    // Whole seconds from 59.0 on: the text changes every two and a half ticks.
    sim::SetPerformanceCounter(true, 590, 10);
    Start();
    const std::size_t notifies = sim::NotifyCalls().size();
    for (int tick = 1; tick <= 25; ++tick) {
        Ticks(1);
        // The tip is current after every tick.
        const std::int64_t tenths = 590 + 4 * tick;
        const std::int64_t seconds =
            tenths / 10 + (tenths % 10 > 5 || (tenths % 10 == 5 && (tenths / 10) % 2 == 1));
        const std::string expected = "SIMPC up for 0 days, 0:0" + std::to_string(seconds / 60) +
                                     ":" + (seconds % 60 < 10 ? "0" : "") +
                                     std::to_string(seconds % 60);
        EXPECT_EQ(sim::TrayIcons().at(0).tip, expected) << "tick " << tick;
    }
    // Ten seconds passed: ten new texts, and the image never changed.
    EXPECT_EQ(sim::NotifyCalls().size(), notifies + 10);
    for (std::size_t i = notifies; i < sim::NotifyCalls().size(); ++i) {
        EXPECT_EQ(sim::NotifyCalls()[i].op, sim::TrayOp::ModifyTip);
    }
}

TEST_F(TickTest, WorkingSetIsTrimmedOnTicks1And751And1501) {
    Start();
    EXPECT_EQ(sim::WorkingSetTrims(), 0);
    Ticks(1);
    EXPECT_EQ(sim::WorkingSetTrims(), 1);
    Ticks(749);
    EXPECT_EQ(sim::WorkingSetTrims(), 1);
    Ticks(1);  // tick 751
    EXPECT_EQ(sim::WorkingSetTrims(), 2);
    Ticks(749);
    EXPECT_EQ(sim::WorkingSetTrims(), 2);
    Ticks(1);  // tick 1501
    EXPECT_EQ(sim::WorkingSetTrims(), 3);
    EXPECT_EQ(sim::OpenProcessHandleCount(), 0);
}

TEST_F(TickTest, IconFollowsNetworkActivity) {
    sim::SetInterfaceTotals(platform::InterfaceTotals{1050, 2060});
    Start();
    Ticks(1);  // the first look only remembers the totals
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_none));

    sim::SetInterfaceTotals(platform::InterfaceTotals{1550, 2060});
    Ticks(1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_rx));
    sim::SetInterfaceTotals(platform::InterfaceTotals{1550, 2061});
    Ticks(1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_tx));
    sim::SetInterfaceTotals(platform::InterfaceTotals{1551, 2062});
    Ticks(1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_rxtx));
    Ticks(1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_none));
}

TEST_F(TickTest, HotCornerFlagChangeShowsOnTheNextTick) {
    Start();
    Ticks(1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleeperDisabled_none));
    gHotCornersEnabled = 1;
    Ticks(1);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_none));
}

TEST_F(TickTest, ImageErrorIsReportedAndTheTickGoesOn) {
    sim::SetIconResourceMissing(IDI_ICON_RX, true);
    sim::SetInterfaceTotals(platform::InterfaceTotals{1000, 2000});
    sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    Start();
    Ticks(1);
    EXPECT_TRUE(sim::MessageBoxes().empty());
    sim::SetInterfaceTotals(platform::InterfaceTotals{1001, 2000});
    Ticks(1);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    const auto& box = sim::MessageBoxes()[0];
    EXPECT_EQ(box.prompt, "Error while updating systray icon: \r\n[481] Invalid picture");
    EXPECT_EQ(box.style, 48u);
    EXPECT_EQ(box.title, "Orbiquell");
    // The rest of the tick ran, and the next ticks run as well.
    const int pumps = sim::PumpCount();
    sim::SetInterfaceTotals(platform::InterfaceTotals{1002, 2000});
    Ticks(1);
    EXPECT_EQ(sim::MessageBoxes().size(), 2u) << "a recurring error is reported again";
    EXPECT_EQ(sim::PumpCount(), pumps + 1);
    Ticks(1);  // no activity: the none image loads fine
    EXPECT_EQ(sim::MessageBoxes().size(), 2u);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_none));
}

TEST_F(TickTest, OpenErrorBoxDoesNotStackFurtherBoxes) {
    sim::SetIconResourceMissing(IDI_ICON_NONE, true);
    sim::SetMessageBoxOpenTime(5000);  // the user takes five seconds to answer
    Start();
    gHotCornersEnabled = 1;  // every tick now wants the image that is missing
    Ticks(1);
    // Twelve intervals passed while the box was up; their ticks did not run
    // inside the open one, so there is one box, not one per interval.
    EXPECT_EQ(sim::MessageBoxes().size(), 1u);
    Ticks(1);
    EXPECT_EQ(sim::MessageBoxes().size(), 2u);
}

// The shell creates its notification area anew while the tip cannot change
// (the uptime cannot be read): the icon is back at once on the shell's
// broadcast, and within the resend period without it, and then shows the image
// of the moment, an armed corner's or a lit indicator's.
TEST_F(TickTest, LostIconComesBackWhileTheTipStaysTheSame) {
    sim::SetPerformanceCounter(true, 100, 0);
    sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    sim::SetCursor(0, 767);
    Start();
    Ticks(1);
    const std::string failed = "SIMPC up for uptime query failed";
    ASSERT_EQ(sim::TrayIcons().at(0).tip, failed);

    sim::RecreateTray();
    sim::BroadcastTaskbarCreated();
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].tip, failed);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgSleepNow));

    sim::SetCursor(512, 384);
    std::int32_t received = 0;
    const auto traffic = [&received] {
        sim::SetInterfaceTotals(platform::InterfaceTotals{received += 1500, 1});
    };
    traffic();
    Ticks(1);
    sim::RecreateTray();
    for (int tick = 0; tick < kTipResendTicks && sim::TrayIcons().empty(); ++tick) {
        traffic();
        Ticks(1);
    }
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    traffic();
    Ticks(1);
    EXPECT_EQ(sim::TrayIcons()[0].tip, failed);
    EXPECT_EQ(ShownIcon(), Image(TrayImage::imgIcon_rx));
}

// Exit chosen while the first tick's error box is open ends that tick: no
// working-set trim follows the end of the program.
TEST_F(TickTest, ExitDuringTheTicksErrorBoxEndsTheTick) {
    sim::SetIconResourceMissing(IDI_ICON_NONE, true);
    Start();
    gHotCornersEnabled = 1;  // the first tick wants the image that is missing
    sim::DuringNextModal([] { frmSysTray::Instance().menuExit_Click(); });
    Ticks(1);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_EQ(sim::WorkingSetTrims(), 0);
}

// The end of the session handled while the tick waits on the shell unloads the
// form; the rest of the tick neither loads it again nor undoes its shutdown.
TEST_F(TickTest, TheEndOfTheSessionDuringATickEndsIt) {
    sim::SetPerformanceCounter(true, 0, 10'000'000);
    sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    Start();
    sim::SetCursor(1023, 767);
    Ticks(1);  // the bottom-right corner armed
    sim::DuringNextNotifyIcon([] { sim::EndSession(); });
    Ticks(1);
    EXPECT_FALSE(frmSysTray::Instance().loaded());
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_TRUE(sim::ScreenSaverActive());
}

// After the shell's broadcast the icon is back with the tip of the moment,
// the uptime, not the start-up one; while no shell takes it, the program asks
// once a resend period.
TEST_F(TickTest, TheBroadcastBringsBackTheCurrentTip) {
    sim::SetPerformanceCounter(true, 0, 10'000'000);
    Start();
    Ticks(3);
    sim::RecreateTray();
    sim::SetTrayRefuses(true);
    sim::ClearRecords();
    Ticks(4 * kTipResendTicks);
    const auto adds = std::count_if(sim::NotifyCalls().begin(), sim::NotifyCalls().end(),
                                    [](const auto& call) { return call.op == sim::TrayOp::Add; });
    EXPECT_LE(adds, 1 + 4);  // the one after the refused tip, then one a period
    sim::SetTrayRefuses(false);
    sim::BroadcastTaskbarCreated();
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "SIMPC up for 0 days, 0:00:09");
    Ticks(1);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "SIMPC up for 0 days, 0:00:10");
}

TEST_F(TickTest, TooltipUptimeAdvances) {
    sim::SetPerformanceCounter(true, 0, 10'000'000);
    Start();
    Ticks(5);  // two seconds
    EXPECT_EQ(sim::TrayIcons().at(0).tip, "SIMPC up for 0 days, 0:00:02");
}

// A day of ticks leaves nothing behind: no key, handle, icon, window, timer
// or allocation more at the end than after the first minute.
TEST_F(TickTest, DayLongSoakGrowsNothing) {
    sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    Start();
    Ticks(150);
    sim::ClearRecords();
    const auto countersAtStart = std::make_tuple(
        sim::RegOpenHandleCount(), sim::OpenProcessHandleCount(), sim::LiveIconCount(),
        sim::LiveWindowCount(), sim::LiveTimerCount(), LiveAllocations());
    std::int32_t traffic = 1;
    for (int i = 0; i < 216'000; ++i) {
        // Cursor wandering through both corners and traffic now and then.
        const std::int32_t x = i % 97 < 3 ? 0 : i % 89 < 3 ? 1023 : 512;
        sim::SetCursor(x, i % 7 < 4 ? 767 : 100);
        if (i % 5 == 0) {
            traffic += 1500;
            sim::SetInterfaceTotals(platform::InterfaceTotals{traffic, traffic});
        }
        sim::AdvanceTime(kTickMs);
        if (i % 10'000 == 0) sim::ClearRecords();
    }
    sim::ClearRecords();
    const auto countersAtEnd = std::make_tuple(
        sim::RegOpenHandleCount(), sim::OpenProcessHandleCount(), sim::LiveIconCount(),
        sim::LiveWindowCount(), sim::LiveTimerCount(), LiveAllocations());
    EXPECT_EQ(countersAtEnd, countersAtStart);
    RecordProperty("live_allocations", std::to_string(std::get<5>(countersAtEnd)));
}

}  // namespace
