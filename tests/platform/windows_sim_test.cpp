// Simulated windows: which handlers the close, end-of-session, tray and
// screen-saver messages reach, and how windows come and go.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/widgets.h"

namespace {

using ::testing::ElementsAre;

constexpr auto kDoubleClick = platform::TrayMouseEvent::LeftDoubleClick;
constexpr auto kRButtonUp = platform::TrayMouseEvent::RightButtonUp;

class SimWindows : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }

    std::vector<std::string> unloaded_;
};

TEST_F(SimWindows, CloseReachesOnlyThatForm) {
    platform::HiddenForm tray("tray");
    platform::HiddenForm main("main");
    tray.setOnUnload([&] { unloaded_.push_back("tray"); });
    main.setOnUnload([&] { unloaded_.push_back("main"); });

    sim::CloseWindow(main.handle());
    EXPECT_THAT(unloaded_, ElementsAre("main"));
}

TEST_F(SimWindows, EndSessionReachesEveryLiveForm) {
    platform::HiddenForm first("first");
    auto second = std::make_unique<platform::HiddenForm>("second");
    platform::HiddenForm third("third");
    first.setOnUnload([&] { unloaded_.push_back("first"); });
    second->setOnUnload([&] { unloaded_.push_back("second"); });
    third.setOnUnload([&] { unloaded_.push_back("third"); });
    second.reset();

    sim::EndSession();
    EXPECT_THAT(unloaded_, ElementsAre("first", "third"));
}

TEST_F(SimWindows, FormDestroyedByAnEarlierUnloadMissesTheEndOfSession) {
    platform::HiddenForm first("first");
    auto second = std::make_unique<platform::HiddenForm>("second");
    first.setOnUnload([&] {
        unloaded_.push_back("first");
        second.reset();
    });
    second->setOnUnload([&] { unloaded_.push_back("second"); });

    sim::EndSession();
    EXPECT_THAT(unloaded_, ElementsAre("first"));
}

TEST_F(SimWindows, UnloadHandlerMayDestroyItsOwnForm) {
    auto form = std::make_unique<platform::HiddenForm>("tray");
    const platform::Handle handle = form->handle();
    form->setOnUnload([&] { form.reset(); });

    sim::CloseWindow(handle);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(sim::LiveWindowCount(), 0);
    sim::CloseWindow(handle);  // a window that is gone hears nothing
}

TEST_F(SimWindows, TrayEventsReachThePictureBoxHandler) {
    platform::HiddenForm form("tray");
    platform::PictureBox box(form);
    std::vector<platform::TrayMouseEvent> events;
    box.setOnTrayEvent([&](platform::TrayMouseEvent event) { events.push_back(event); });

    sim::SendTrayEvent(box.handle(), kDoubleClick);
    sim::SendTrayEvent(box.handle(), kRButtonUp);
    // The form is not the picture box.
    sim::SendTrayEvent(form.handle(), kRButtonUp);

    EXPECT_THAT(events, ElementsAre(kDoubleClick, kRButtonUp));
}

TEST_F(SimWindows, DestroyingAFormDestroysItsPictureBox) {
    auto form = std::make_unique<platform::HiddenForm>("tray");
    platform::PictureBox box(*form);
    int events = 0;
    box.setOnTrayEvent([&](platform::TrayMouseEvent) { ++events; });
    EXPECT_EQ(sim::LiveWindowCount(), 2);
    EXPECT_NE(form->handle(), box.handle());

    form.reset();
    EXPECT_EQ(sim::LiveWindowCount(), 0);
    sim::SendTrayEvent(box.handle(), kRButtonUp);
    EXPECT_EQ(events, 0);
}

TEST_F(SimWindows, ScreenSaverStartsOnlyThroughALiveWindow) {
    auto form = std::make_unique<platform::HiddenForm>("tray");
    const platform::Handle handle = form->handle();
    platform::StartScreenSaver(handle);
    form.reset();
    platform::StartScreenSaver(handle);

    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
    EXPECT_EQ(sim::ScreenSaverStartWindows().size(), 2u);
}

// A running screen saver's window is in front, captionless, over every
// screen, until the user ends it.
TEST_F(SimWindows, ARunningScreenSaverIsTheWindowInFront) {
    sim::SetMonitors({{0, 0, 1024, 768}, {-1280, -256, 0, 768}});
    const platform::FrontWindow game{{0, 0, 1024, 768}, false, false, {0, 0, 1024, 768}};
    sim::SetForegroundWindowFacts(game);
    platform::HiddenForm form("tray");
    platform::StartScreenSaver(form.handle());
    ASSERT_TRUE(platform::ScreenSaverRunning());
    const auto front = platform::ForegroundWindowFacts();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->rect, (platform::ScreenRect{-1280, -256, 1024, 768}));
    EXPECT_FALSE(front->framed);
    sim::SetScreenSaverRunning(false);
    EXPECT_EQ(platform::ForegroundWindowFacts()->rect, game.rect);
}

// The shell may refuse one kind of request and serve the others.
TEST_F(SimWindows, TheTrayRefusesOneKindOfRequest) {
    sim::SetTrayRefuses(sim::TrayOp::ModifyImage, true);
    EXPECT_TRUE(platform::TrayAdd(7, 1, "tip"));
    EXPECT_FALSE(platform::TrayModifyImage(7, 2));
    EXPECT_TRUE(platform::TrayModifyTip(7, "new"));
    sim::SetTrayRefuses(false);
    EXPECT_TRUE(platform::TrayModifyImage(7, 2));
}

TEST_F(SimWindows, IconsHaveDistinctHandlesWhileTheyLive) {
    {
        platform::IconImage first(101, 16);
        platform::IconImage second(101, 16);
        EXPECT_NE(first.handle(), 0u);
        EXPECT_NE(first.handle(), second.handle());
        EXPECT_EQ(sim::LiveIconCount(), 2);
    }
    EXPECT_EQ(sim::LiveIconCount(), 0);
}

}  // namespace
