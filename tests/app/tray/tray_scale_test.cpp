// The tray icon at the scale of the taskbar's screen, which the user may
// change while the program runs.
#include <gtest/gtest.h>

#include "../../support/sim_test.h"
#include "app/tray/sys_tray.h"

namespace {

class TrayScaleTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        frmSysTray::Instance().Load();
    }
    static TrayIconOwner Owner() { return frmSysTray::Instance().trayIcon(); }
};

TEST_F(TrayScaleTest, AScaleChangeReloadsTheImagesAndModifiesTheIconOnce) {
    UpdateTrayIcon(Owner(), TrayImage::imgSleepNever_tx);
    const platform::Handle before = Owner().images.handle(TrayImage::imgSleepNever_tx);
    EXPECT_EQ(sim::IconSize(before), 16);
    const int icons = sim::LiveIconCount();
    sim::ClearRecords();

    sim::SetTaskbarDpi(144);
    sim::BroadcastDisplayChange();
    const platform::Handle after = Owner().images.handle(TrayImage::imgSleepNever_tx);
    EXPECT_EQ(sim::IconSize(after), 24);
    EXPECT_EQ(sim::IconSize(Owner().images.handle(TrayImage::imgIcon_none)), 24);
    ASSERT_EQ(sim::NotifyCalls().size(), 1u);
    EXPECT_EQ(sim::NotifyCalls()[0].op, sim::TrayOp::ModifyImage);
    EXPECT_EQ(sim::NotifyCalls()[0].image, after);
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].image, after);
    // The old images are gone, not kept beside the new ones.
    EXPECT_EQ(sim::LiveIconCount(), icons);

    // Settings that leave the size alone cost no call to the shell, and the
    // tick does not send the image again.
    sim::BroadcastDisplayChange();
    UpdateTrayIcon(Owner(), TrayImage::imgSleepNever_tx);
    EXPECT_EQ(sim::NotifyCalls().size(), 1u);
}

TEST_F(TrayScaleTest, TheShellsNewTaskbarGetsTheIconAtItsSize) {
    UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
    sim::SetTaskbarDpi(120);
    sim::RecreateTray();
    sim::BroadcastTaskbarCreated();
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].image, Owner().images.handle(TrayImage::imgIcon_rx));
    EXPECT_EQ(sim::IconSize(sim::TrayIcons()[0].image), 20);
}

TEST_F(TrayScaleTest, NoIconNoCall) {
    RemoveTrayIcon(Owner());
    sim::ClearRecords();
    sim::SetTaskbarDpi(192);
    sim::BroadcastDisplayChange();
    EXPECT_TRUE(sim::NotifyCalls().empty());
    EXPECT_EQ(sim::IconSize(Owner().images.handle(TrayImage::imgIcon_none)), 32);
}

}  // namespace
