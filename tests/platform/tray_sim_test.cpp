// The simulated notification area's bookkeeping of icons.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

constexpr platform::Handle kWindow = 0x1234;
constexpr std::uint32_t kId = 9999;

platform::NotifyIconData Record(std::uint32_t flags, platform::Handle icon,
                                const std::string& tip) {
    platform::NotifyIconData data;
    data.cbSize = 88;
    data.hWnd = kWindow;
    data.uID = kId;
    data.uFlags = flags;
    data.uCallbackMessage = (flags & platform::kNifMessage) ? 0x200 : 0;
    data.hIcon = icon;
    std::memcpy(data.szTip, tip.data(), std::min(tip.size(), sizeof data.szTip));
    return data;
}

const std::uint32_t kAll = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;

class SimTray : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimTray, AddModifyDelete) {
    ASSERT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "SIMPC Orbiquell")), 1);
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].hWnd, kWindow);
    EXPECT_EQ(sim::TrayIcons()[0].uID, kId);
    EXPECT_EQ(sim::TrayIcons()[0].callbackMessage, 0x200u);
    EXPECT_EQ(sim::TrayIcons()[0].hIcon, 11u);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "SIMPC Orbiquell");

    // A modification takes only the fields its flags name.
    EXPECT_EQ(platform::NotifyIcon(platform::kNimModify, Record(platform::kNifTip, 0, "up")), 1);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "up");
    EXPECT_EQ(sim::TrayIcons()[0].hIcon, 11u);
    EXPECT_EQ(platform::NotifyIcon(platform::kNimModify, Record(platform::kNifIcon, 12, "")), 1);
    EXPECT_EQ(sim::TrayIcons()[0].hIcon, 12u);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "up");

    EXPECT_EQ(platform::NotifyIcon(platform::kNimDelete, Record(0, 0, "")), 1);
    EXPECT_TRUE(sim::TrayIcons().empty());
}

TEST_F(SimTray, IconsAreKeyedByWindowAndId) {
    EXPECT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "a")), 1);
    EXPECT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "again")), 0);
    platform::NotifyIconData other = Record(kAll, 11, "b");
    other.uID = kId + 1;
    EXPECT_EQ(platform::NotifyIcon(platform::kNimAdd, other), 1);
    EXPECT_EQ(sim::TrayIcons().size(), 2u);
    EXPECT_EQ(sim::TrayIcons()[0].tip, "a");
}

TEST_F(SimTray, ModifyAndDeleteOfAnUnknownIconFail) {
    EXPECT_EQ(platform::NotifyIcon(platform::kNimModify, Record(platform::kNifTip, 0, "x")), 0);
    EXPECT_EQ(platform::NotifyIcon(platform::kNimDelete, Record(0, 0, "")), 0);
    EXPECT_TRUE(sim::TrayIcons().empty());
}

TEST_F(SimTray, TipOfSixtyFourCharactersHasNoTerminator) {
    const std::string tip(64, 'x');
    ASSERT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, tip)), 1);
    EXPECT_EQ(sim::TrayIcons()[0].tip, tip);
}

TEST_F(SimTray, EveryCallIsRecordedWithItsResult) {
    platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "tip"));
    platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "tip"));
    ASSERT_EQ(sim::NotifyCalls().size(), 2u);
    EXPECT_EQ(sim::NotifyCalls()[0].message, platform::kNimAdd);
    EXPECT_EQ(sim::NotifyCalls()[0].result, 1);
    EXPECT_EQ(sim::NotifyCalls()[1].result, 0);
    EXPECT_EQ(sim::NotifyCalls()[1].data.cbSize, 88u);
    EXPECT_EQ(std::string(sim::NotifyCalls()[1].data.szTip), "tip");
}

TEST_F(SimTray, RefusingTrayFailsEverything) {
    sim::SetTrayRefuses(true);
    EXPECT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "tip")), 0);
    EXPECT_TRUE(sim::TrayIcons().empty());
    sim::SetTrayRefuses(false);
    ASSERT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "tip")), 1);
    sim::SetTrayRefuses(true);
    EXPECT_EQ(platform::NotifyIcon(platform::kNimDelete, Record(0, 0, "")), 0);
    EXPECT_EQ(sim::TrayIcons().size(), 1u);
}

TEST_F(SimTray, RecreatedTrayForgetsIconsUntilTheyAreAddedAgain) {
    ASSERT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 11, "tip")), 1);
    sim::RecreateTray();
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_EQ(platform::NotifyIcon(platform::kNimModify, Record(platform::kNifTip, 0, "up")), 0);
    EXPECT_EQ(platform::NotifyIcon(platform::kNimAdd, Record(kAll, 13, "again")), 1);
    ASSERT_EQ(sim::TrayIcons().size(), 1u);
    EXPECT_EQ(sim::TrayIcons()[0].hIcon, 13u);
}

}  // namespace
