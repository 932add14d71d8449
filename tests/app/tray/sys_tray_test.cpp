#include "app/tray/sys_tray.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "../../support/sim_test.h"

namespace {

class SysTrayTest : public SimTest {};

TEST(TipField, TextNulThenBlanks) {
    char field[64];
    FillTipField(field, "WS7 up for 1 day, 0:00:00");
    EXPECT_STREQ(field, "WS7 up for 1 day, 0:00:00");
    for (std::size_t i = std::strlen(field) + 1; i < sizeof field; ++i) EXPECT_EQ(field[i], ' ');
}

TEST(TipField, AlwaysKeepsRoomForTheNul) {
    char field[64];
    const std::string fits(63, 'a');
    FillTipField(field, fits);
    EXPECT_EQ(std::string(field), fits);

    // 64 characters or more: cut so the shell never reads past the field.
    FillTipField(field, std::string(64, 'b'));
    EXPECT_EQ(std::string(field), std::string(63, 'b'));
    FillTipField(field, std::string(200, 'c'));
    EXPECT_EQ(std::string(field), std::string(63, 'c'));

    FillTipField(field, "");
    EXPECT_EQ(field[0], '\0');
}

TEST_F(SysTrayTest, ImageUpdateAndRemovalUseTheirOwnRecords) {
    frmSysTray::Instance().Load();
    const platform::Handle rx = frmSysTray::Instance().imageHandle(TrayImage::imgIcon_rx);
    UpdateTrayIcon(TrayImage::imgIcon_rx);
    auto update = sim::NotifyCalls().back();
    EXPECT_EQ(update.message, platform::kNimModify);
    EXPECT_EQ(update.data.uFlags, 2u);
    EXPECT_EQ(update.data.uCallbackMessage, 0x200u);
    EXPECT_EQ(update.data.hIcon, rx);
    EXPECT_EQ(update.data.szTip[0], '\0');
    EXPECT_EQ(sim::TrayIcons().at(0).hIcon, rx);

    RemoveTrayIcon();
    auto removal = sim::NotifyCalls().back();
    EXPECT_EQ(removal.message, platform::kNimDelete);
    EXPECT_EQ(removal.data.uFlags, 0u);
    EXPECT_EQ(removal.data.hIcon, 0u);
    EXPECT_EQ(removal.data.uID, 9999u);
    EXPECT_TRUE(sim::TrayIcons().empty());
}

TEST_F(SysTrayTest, EveryImageIsItsOwnLoadedIcon) {
    frmSysTray::Instance().Load();
    const int icons = sim::LiveIconCount();
    EXPECT_EQ(icons, 13);
    std::set<platform::Handle> handles;
    for (int i = 0; i <= static_cast<int>(TrayImage::imgSleepNow); ++i) {
        handles.insert(frmSysTray::Instance().imageHandle(TrayImage(i)));
    }
    EXPECT_EQ(handles.size(), 13u);
    EXPECT_EQ(handles.count(0), 0u);
    // Sending images tick after tick loads nothing new.
    for (int i = 0; i < 100; ++i) UpdateTrayIcon(TrayImage::imgSleepNow);
    EXPECT_EQ(sim::LiveIconCount(), icons);
}

TEST_F(SysTrayTest, RefusedTipUpdateReaddsWithTheDisabledFamily) {
    frmSysTray::Instance().Load();
    sim::SetTrayRefuses(true);
    UpdateTrayTip("ignored");
    const auto& calls = sim::NotifyCalls();
    EXPECT_EQ(calls.back().message, platform::kNimAdd);
    EXPECT_EQ(calls.back().data.hIcon,
              frmSysTray::Instance().imageHandle(TrayImage::imgSleeperDisabled_none));
}

}  // namespace
