#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>

#include "app/program.h"

#include "../support/sim_test.h"

namespace {

class ShutdownTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        platform::OsVersion nt;
        nt.platformId = 2;
        nt.majorVersion = 5;
        sim::SetOsVersion(nt);
        frmSysTray::Instance().Load();
        sim::SetScreenSaverActive(false);  // as a fired bottom-right corner leaves it
    }

    // The screen saver is on again, the icon is gone, the program ends and no
    // tick runs any more.
    static void ExpectShutDown() {
        EXPECT_TRUE(sim::ScreenSaverActive());
        const auto& sets = sim::ScreenSaverFlagSets();
        ASSERT_FALSE(sets.empty());
        EXPECT_TRUE(sets.back().persist);
        EXPECT_TRUE(sim::TrayIcons().empty());
        EXPECT_EQ(sim::NotifyCalls().back().op, sim::TrayOp::Delete);
        EXPECT_TRUE(platform::QuitRequested());
        EXPECT_EQ(sim::QuitCode(), 0);
        EXPECT_FALSE(frmSysTray::Instance().loaded());
        // Neither ticks nor the shell's broadcast bring the icon back.
        const std::size_t calls = sim::NotifyCalls().size();
        sim::AdvanceTime(2000);
        sim::BroadcastTaskbarCreated();
        EXPECT_EQ(sim::NotifyCalls().size(), calls);
    }
};

TEST_F(ShutdownTest, ExitFromTheMenu) {
    frmSysTray::Instance().menuExit_Click();
    ExpectShutDown();
}

TEST_F(ShutdownTest, CloseMessageToTheHiddenWindow) {
    sim::CloseWindow(frmSysTray::Instance().hWnd());
    ExpectShutDown();
}

TEST_F(ShutdownTest, EndOfTheWindowsSession) {
    sim::EndSession();
    ExpectShutDown();
}

TEST_F(ShutdownTest, SecondCloseDoesNothingMore) {
    const platform::Handle window = frmSysTray::Instance().hWnd();
    sim::CloseWindow(window);
    const std::size_t calls = sim::NotifyCalls().size();
    sim::CloseWindow(window);
    EXPECT_EQ(sim::NotifyCalls().size(), calls);
}

TEST_F(ShutdownTest, DestroyingTheFormReleasesEveryWindowTimerAndIcon) {
    frmSysTray::Instance().menuExit_Click();
    EXPECT_GT(sim::LiveWindowCount(), 0);
    frmSysTray::Destroy();
    EXPECT_EQ(sim::LiveWindowCount(), 0);
    EXPECT_EQ(sim::LiveTimerCount(), 0);
    EXPECT_EQ(sim::LiveIconCount(), 0);
}

// An error that ends the program takes the same way out as the tray menu's
// exit: the screen saver is set active and the icon removed.
class ErrorExitTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        sim::SetScreenSaverActive(false);  // as a fired bottom-right corner leaves it
    }
    static void ExpectShutDownAfterError(int exitCode) {
        EXPECT_EQ(exitCode, EXIT_FAILURE);
        EXPECT_TRUE(sim::ScreenSaverActive());
        EXPECT_TRUE(sim::TrayIcons().empty());
        EXPECT_EQ(sim::NotifyCalls().back().op, sim::TrayOp::Delete);
        EXPECT_EQ(sim::LiveWindowCount(), 0);
    }
};

TEST_F(ErrorExitTest, TheWindowCannotBeCreated) {
    sim::SetCommandLine("-POPUP");
    sim::SetFormCreationFails(true);
    ExpectShutDownAfterError(RunOrbiquell());
}

TEST_F(ErrorExitTest, AnAllocationFailsInATick) {
    frmSysTray::Instance().Load();
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    sim::DuringNextNotifyIcon([] { throw std::bad_alloc(); });
    ExpectShutDownAfterError(RunOrbiquell());
}

TEST_F(ErrorExitTest, AnErrorInTheMainWindowAlsoUnloadsIt) {
    frmSysTray::Instance().Load();
    frmMain::Instance().Show();
    ASSERT_TRUE(frmMain::IsLoaded());
    sim::DuringNextNotifyIcon([] { throw std::runtime_error("any kind"); });
    ExpectShutDownAfterError(RunOrbiquell());
}

}  // namespace
