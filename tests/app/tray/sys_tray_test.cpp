#include "app/tray/sys_tray.h"

#include <gtest/gtest.h>

#include <set>

#include "../../support/sim_test.h"

namespace {

class SysTrayTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        frmSysTray::Instance().Load();
    }
    static TrayIconOwner Owner() { return frmSysTray::Instance().trayIcon(); }
};

TEST_F(SysTrayTest, ImageUpdateAndRemovalAskForThatAlone) {
    const platform::Handle rx = Owner().images.handle(TrayImage::imgIcon_rx);
    UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
    const auto update = sim::NotifyCalls().back();
    EXPECT_EQ(update.op, sim::TrayOp::ModifyImage);
    EXPECT_EQ(update.window, Owner().window);
    EXPECT_EQ(update.image, rx);
    EXPECT_EQ(sim::TrayIcons().at(0).image, rx);

    RemoveTrayIcon(Owner());
    EXPECT_EQ(sim::NotifyCalls().back().op, sim::TrayOp::Delete);
    EXPECT_TRUE(sim::TrayIcons().empty());
}

TEST_F(SysTrayTest, EveryImageIsItsOwnLoadedIcon) {
    const int icons = sim::LiveIconCount();
    EXPECT_EQ(icons, 13);
    std::set<platform::Handle> handles;
    for (int i = 0; i <= static_cast<int>(TrayImage::imgSleepNow); ++i) {
        handles.insert(Owner().images.handle(TrayImage(i)));
    }
    EXPECT_EQ(handles.size(), 13u);
    EXPECT_EQ(handles.count(0), 0u);
    // Sending images tick after tick loads nothing new.
    for (int i = 0; i < 100; ++i) UpdateTrayIcon(Owner(), TrayImage::imgSleepNow);
    EXPECT_EQ(sim::LiveIconCount(), icons);
}

TEST_F(SysTrayTest, WhatTheShellRefusedIsSentAgain) {
    sim::SetTrayRefuses(true);
    UpdateTrayTip(Owner(), "tip");
    UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
    sim::SetTrayRefuses(false);
    UpdateTrayTip(Owner(), "tip");
    UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].image, Owner().images.handle(TrayImage::imgIcon_rx));
    EXPECT_EQ(sim::TrayIcons()[0].tip, "tip");

    // An add that was refused too.
    sim::RecreateTray();
    sim::SetTrayRefuses(true);
    AddTrayIcon(Owner(), TrayImage::imgIcon_none, "tip");
    sim::SetTrayRefuses(false);
    UpdateTrayTip(Owner(), "tip");
    EXPECT_EQ(sim::TrayIcons().size(), 1u);
}

// A broadcast without a real loss: the shell refuses the add, the icon is
// changed instead, and the program does not go on adding it.
TEST_F(SysTrayTest, BroadcastWhileTheShellHasTheIconKeepsOneIcon) {
    UpdateTrayIcon(Owner(), TrayImage::imgSleepNow);
    UpdateTrayTip(Owner(), "tip");
    sim::BroadcastTaskbarCreated();
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].image, Owner().images.handle(TrayImage::imgSleepNow));
    EXPECT_EQ(sim::TrayIcons()[0].tip, "tip");
    const std::size_t calls = sim::NotifyCalls().size();
    UpdateTrayIcon(Owner(), TrayImage::imgSleepNow);
    UpdateTrayTip(Owner(), "tip");
    EXPECT_EQ(sim::NotifyCalls().size(), calls);
}

TEST_F(SysTrayTest, RefusedTipUpdateReaddsWithTheDisabledFamily) {
    sim::SetTrayRefuses(true);
    UpdateTrayTip(Owner(), "ignored");
    const auto& calls = sim::NotifyCalls();
    EXPECT_EQ(calls.back().op, sim::TrayOp::Add);
    EXPECT_EQ(calls.back().tip, "SIMPC Orbiquell");
    EXPECT_EQ(calls.back().image, Owner().images.handle(TrayImage::imgSleeperDisabled_none));
}

}  // namespace
