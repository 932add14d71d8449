#include "screensaver/screen_saver.h"

#include <gtest/gtest.h>

#include "../support/sim_test.h"

namespace {

constexpr std::uint32_t kSpiSet = 17;

class ScreenSaverTest : public SimTest {};

TEST_F(ScreenSaverTest, ActiveFlagIsReadFromTheSystem) {
    sim::SetScreenSaverActive(true);
    EXPECT_TRUE(IsScreenSaverActive());
    sim::SetScreenSaverActive(false);
    EXPECT_FALSE(IsScreenSaverActive());
    sim::SetScreenSaverActive(true);
    sim::SetSystemParametersFail(true);
    EXPECT_FALSE(IsScreenSaverActive());
}

TEST_F(ScreenSaverTest, NtFamilyWritesTheProfileAndBroadcasts) {
    gPlatformId = 2;
    DisableScreenSaver();
    EXPECT_FALSE(sim::ScreenSaverActive());
    EnableScreenSaver();
    EXPECT_TRUE(sim::ScreenSaverActive());
    const auto& calls = sim::SystemParametersCalls();
    ASSERT_EQ(calls.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(calls[i].action, kSpiSet);
        EXPECT_EQ(calls[i].uiParam, i == 0 ? 0u : 1u);
        EXPECT_FALSE(calls[i].pvParamNull);
        EXPECT_EQ(calls[i].pvValueBefore, 0u);
        EXPECT_EQ(calls[i].winIni, 3u);
    }
}

TEST_F(ScreenSaverTest, NinetyFiveFamilyPassesNoPointerAndNoFlags) {
    for (std::int32_t platformId : {0, 1}) {
        sim::Reset();
        gPlatformId = platformId;
        DisableScreenSaver();
        EnableScreenSaver();
        const auto& calls = sim::SystemParametersCalls();
        ASSERT_EQ(calls.size(), 2u);
        for (const auto& call : calls) {
            EXPECT_TRUE(call.pvParamNull);
            EXPECT_EQ(call.winIni, 0u);
        }
        EXPECT_TRUE(sim::ScreenSaverActive());
    }
}

TEST_F(ScreenSaverTest, EnableSetsActiveWhateverItWasBefore) {
    gPlatformId = 2;
    sim::SetScreenSaverActive(false);
    EnableScreenSaver();
    EXPECT_TRUE(sim::ScreenSaverActive());
}

TEST_F(ScreenSaverTest, StartAsksTheTrayWindowWhateverTheFlag) {
    sim::SetScreenSaverActive(false);
    StartScreenSaver();
    const auto& sent = sim::SentMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].window, frmSysTray::Instance().hWnd());
    EXPECT_EQ(sent[0].message, 0x0112u);
    EXPECT_EQ(sent[0].wParam, 0xF140u);
    EXPECT_EQ(sent[0].lParam, 0);
    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
}

}  // namespace
