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

constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmRButtonUp = 0x0205;
constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScScreenSave = 0xF140;

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
    platform::PictureBox box(form, kWmMouseMove);
    std::vector<std::uint32_t> events;
    box.setOnTrayEvent([&](std::uint32_t mouseMessage) { events.push_back(mouseMessage); });

    sim::SendTrayEvent(box.handle(), kWmLButtonDblClk);
    // The program sending the callback message itself is handled the same way.
    platform::SendWindowMessage(box.handle(), kWmMouseMove, 0, kWmRButtonUp);
    // Other messages are not tray events, and the form is not the picture box.
    platform::SendWindowMessage(box.handle(), kWmRButtonUp, 0, kWmRButtonUp);
    sim::SendTrayEvent(form.handle(), kWmRButtonUp);

    EXPECT_THAT(events, ElementsAre(kWmLButtonDblClk, kWmRButtonUp));
}

TEST_F(SimWindows, DestroyingAFormDestroysItsPictureBox) {
    auto form = std::make_unique<platform::HiddenForm>("tray");
    platform::PictureBox box(*form, kWmMouseMove);
    int events = 0;
    box.setOnTrayEvent([&](std::uint32_t) { ++events; });
    EXPECT_EQ(sim::LiveWindowCount(), 2);
    EXPECT_NE(form->handle(), box.handle());

    form.reset();
    EXPECT_EQ(sim::LiveWindowCount(), 0);
    sim::SendTrayEvent(box.handle(), kWmRButtonUp);
    EXPECT_EQ(events, 0);
}

TEST_F(SimWindows, ScreenSaverStartsOnlyThroughALiveWindow) {
    auto form = std::make_unique<platform::HiddenForm>("tray");
    const platform::Handle handle = form->handle();
    platform::SendWindowMessage(handle, kWmSysCommand, kScScreenSave, 0);
    form.reset();
    platform::SendWindowMessage(handle, kWmSysCommand, kScScreenSave, 0);

    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
    ASSERT_EQ(sim::SentMessages().size(), 2u);
    EXPECT_EQ(sim::SentMessages()[1].window, handle);
    EXPECT_EQ(sim::SentMessages()[1].message, kWmSysCommand);
    EXPECT_EQ(sim::SentMessages()[1].wParam, kScScreenSave);
}

TEST_F(SimWindows, IconsHaveDistinctHandlesWhileTheyLive) {
    {
        platform::IconImage first(101);
        platform::IconImage second(101);
        EXPECT_NE(first.handle(), 0u);
        EXPECT_NE(first.handle(), second.handle());
        EXPECT_EQ(sim::LiveIconCount(), 2);
    }
    EXPECT_EQ(sim::LiveIconCount(), 0);
}

}  // namespace
