#include "screensaver/screen_saver.h"

#include <gtest/gtest.h>

#include "../support/sim_test.h"

namespace {

class ScreenSaverTest : public SimTest {};

TEST_F(ScreenSaverTest, ActiveFlagIsReadFromTheSystem) {
    sim::SetScreenSaverActive(true);
    EXPECT_TRUE(IsScreenSaverActive());
    sim::SetScreenSaverActive(false);
    EXPECT_FALSE(IsScreenSaverActive());
    sim::SetScreenSaverActive(true);
    sim::SetScreenSaverFlagFails(true);
    EXPECT_FALSE(IsScreenSaverActive());
}

TEST_F(ScreenSaverTest, OnlyTheNtFamilyWritesTheProfile) {
    for (const std::int32_t platformId : {0, 1, 2}) {
        sim::Reset();
        gPlatformId = platformId;
        DisableScreenSaver();
        EXPECT_FALSE(sim::ScreenSaverActive());
        EnableScreenSaver();
        EXPECT_TRUE(sim::ScreenSaverActive());
        const auto& sets = sim::ScreenSaverFlagSets();
        ASSERT_EQ(sets.size(), 2u);
        EXPECT_FALSE(sets[0].active);
        EXPECT_TRUE(sets[1].active);
        for (const auto& set : sets) EXPECT_EQ(set.persist, platformId == 2);
    }
}

TEST_F(ScreenSaverTest, StartAsksTheGivenWindowWhateverTheFlag) {
    sim::SetScreenSaverActive(false);
    const platform::Handle tray = frmSysTray::Instance().hWnd();
    StartScreenSaver(tray);
    EXPECT_EQ(sim::ScreenSaverStartWindows(), std::vector<platform::Handle>{tray});
    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
}

}  // namespace
