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

// What the shell refused is sent again; while it refuses everything, the
// program sends one add a resend period (and a change of the tip, in case the
// shell kept the icon) and nothing else.
TEST_F(SysTrayTest, WhatTheShellRefusedIsSentAgain) {
    const auto tick = [](const std::string& tip) {
        UpdateTrayTip(Owner(), tip);
        UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
    };
    sim::SetTrayRefuses(true);
    const std::size_t before = sim::NotifyCalls().size();
    for (int i = 0; i < 2 * kTipResendTicks; ++i) tick("tip " + std::to_string(i));
    // The refused tip and the add straight after it, then an add and a change
    // a period.
    EXPECT_EQ(sim::NotifyCalls().size() - before, 4u);
    sim::SetTrayRefuses(false);
    // The shell kept the icon: the add is refused, the change taken.
    for (int i = 0; i < 2 * kTipResendTicks; ++i) tick("tip");
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    tick("tip");
    EXPECT_EQ(sim::TrayIcons()[0].image, Owner().images.handle(TrayImage::imgIcon_rx));
    EXPECT_EQ(sim::TrayIcons()[0].tip, "tip");

    // An add that was refused too.
    sim::RecreateTray();
    sim::SetTrayRefuses(true);
    AddTrayIcon(Owner(), TrayImage::imgIcon_none, "tip");
    sim::SetTrayRefuses(false);
    for (int i = 0; i < 2 * kTipResendTicks; ++i) tick("tip");
    EXPECT_EQ(sim::TrayIcons().size(), 1u);
}

// A refused image, then a broadcast: the icon ends with the image wanted, both
// where the shell still has the icon and where it refuses the re-add and
// takes an add later.
TEST_F(SysTrayTest, ARefusedImageComesWithTheReAdd) {
    const platform::Handle rx = Owner().images.handle(TrayImage::imgIcon_rx);
    for (const bool refuseReAdd : {false, true}) {
        SCOPED_TRACE(refuseReAdd ? "re-add refused" : "shell kept the icon");
        sim::SetTrayRefuses(true);
        UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
        sim::SetTrayRefuses(refuseReAdd);
        sim::BroadcastTaskbarCreated();
        if (!refuseReAdd) {
            EXPECT_EQ(sim::TrayIcons().at(0).image, rx);
        }
        sim::SetTrayRefuses(false);
        for (int i = 0; i < 2 * kTipResendTicks; ++i) {
            UpdateTrayTip(Owner(), "tip");
            UpdateTrayIcon(Owner(), TrayImage::imgIcon_rx);
        }
        ASSERT_EQ(sim::TrayIcons().size(), 1u);
        EXPECT_EQ(sim::TrayIcons()[0].image, rx);
        UpdateTrayIcon(Owner(), TrayImage::imgIcon_none);
    }
}

// A broadcast while the shell refuses every request removes the icon and adds
// it again; one before the first add, or after the removal, adds nothing.
TEST_F(SysTrayTest, ReAddReplacesAndNeedsAnIcon) {
    sim::SetTrayRefuses(true);
    sim::ClearRecords();
    sim::BroadcastTaskbarCreated();
    std::vector<sim::TrayOp> ops;
    for (const auto& call : sim::NotifyCalls()) ops.push_back(call.op);
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops[ops.size() - 2], sim::TrayOp::Delete);
    EXPECT_EQ(ops.back(), sim::TrayOp::Add);

    sim::SetTrayRefuses(false);
    RemoveTrayIcon(Owner());
    sim::ClearRecords();
    sim::BroadcastTaskbarCreated();
    EXPECT_TRUE(sim::NotifyCalls().empty());
    EXPECT_TRUE(sim::TrayIcons().empty());
}

// After the tip was last sent, the same tip goes again once a resend period.
TEST_F(SysTrayTest, AnUnchangedTipIsResentEveryPeriod) {
    UpdateTrayTip(Owner(), "same");
    sim::ClearRecords();
    for (int i = 0; i < 2 * kTipResendTicks; ++i) UpdateTrayTip(Owner(), "same");
    EXPECT_EQ(sim::NotifyCalls().size(), 2u);
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
