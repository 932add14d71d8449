// The simulated main-window widgets as the form tests drive them: what is on
// screen, which handlers run how often, and that handlers may destroy the
// widgets that run them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/widgets.h"

namespace {

using platform::WindowState;
using ::testing::ElementsAre;

constexpr platform::TwipRect kRect{120, 120, 1200, 300};

class SimWidgets : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }

    std::vector<std::string> ran_;
};

// A shown form with two tab pages and a control on each, and one on the form.
struct TabbedForm {
    platform::Form form{4500, 3000};
    platform::TabStrip tabs{form, {0, 0, 4500, 2400}, {"Status", "Settings"}, 520};
    platform::Button onFirst{form, 0, kRect, "First"};
    platform::CheckBox onSecond{form, 1, kRect, "Second"};
    platform::Button onForm{form, platform::kOnForm, kRect, "OK", platform::ButtonRole::Default};
};

TEST_F(SimWidgets, OnlyTheSelectedPageOfAVisibleNormalFormShows) {
    TabbedForm w;
    EXPECT_FALSE(sim::IsShowing(w.onForm.handle()));  // forms start hidden
    EXPECT_FALSE(sim::IsShowing(w.form.handle()));

    w.form.show();
    EXPECT_TRUE(sim::IsShowing(w.form.handle()));
    EXPECT_TRUE(sim::IsShowing(w.onForm.handle()));
    EXPECT_TRUE(sim::IsShowing(w.onFirst.handle()));
    EXPECT_FALSE(sim::IsShowing(w.onSecond.handle()));

    sim::SelectTab(w.tabs.handle(), 1);
    EXPECT_EQ(w.tabs.selected(), 1);
    EXPECT_FALSE(sim::IsShowing(w.onFirst.handle()));
    EXPECT_TRUE(sim::IsShowing(w.onSecond.handle()));
    sim::SelectTab(w.tabs.handle(), 2);  // no such page
    w.tabs.select(-1);
    EXPECT_EQ(w.tabs.selected(), 1);

    w.form.setWindowState(WindowState::Minimized);
    EXPECT_FALSE(sim::IsShowing(w.onForm.handle()));
    EXPECT_FALSE(sim::IsShowing(w.form.handle()));
    w.form.setWindowState(WindowState::Normal);
    w.form.hide();
    EXPECT_FALSE(sim::IsShowing(w.onSecond.handle()));
    EXPECT_FALSE(sim::IsShowing(w.onForm.handle()));
    // The user cannot change the page of a hidden form; the program can.
    sim::SelectTab(w.tabs.handle(), 0);
    EXPECT_EQ(w.tabs.selected(), 1);
    w.tabs.select(0);
    EXPECT_EQ(w.tabs.selected(), 0);
}

TEST_F(SimWidgets, TheUserReachesOnlyWhatIsOnScreen) {
    TabbedForm w;
    w.onFirst.setOnClick([&] { ran_.push_back("first"); });
    w.onSecond.setOnClick([&] { ran_.push_back("second"); });
    w.onForm.setOnClick([&] { ran_.push_back("default"); });
    w.form.setOnMouseMove([&] { ran_.push_back("move"); });

    sim::Click(w.onFirst.handle());
    sim::PressKey(w.form.handle(), sim::Key::Enter);
    sim::MouseMove(w.form.handle());
    sim::Minimize(w.form.handle());
    EXPECT_TRUE(ran_.empty());
    EXPECT_EQ(w.form.windowState(), WindowState::Normal);

    w.form.show();
    sim::Click(w.onSecond.handle());  // on the page not selected
    EXPECT_EQ(w.onSecond.value(), 0);
    sim::Click(w.onFirst.handle());
    sim::PressKey(w.form.handle(), sim::Key::Enter);
    sim::PressKey(w.form.handle(), sim::Key::Escape);  // there is no cancel button
    sim::MouseMove(w.form.handle());
    EXPECT_THAT(ran_, ElementsAre("first", "default", "move"));
}

// A message box disables its owner until it is answered; a box of no owner,
// or of another window, leaves the form to the user.
TEST_F(SimWidgets, AFormTakesNoInputWhileItsMessageBoxIsOpen) {
    TabbedForm w;
    w.form.show();
    w.onFirst.setOnClick([&] { ran_.push_back("first"); });
    w.onForm.setOnClick([&] { ran_.push_back("default"); });
    const auto tryAll = [&] {
        sim::Click(w.onFirst.handle());
        sim::PressKey(w.form.handle(), sim::Key::Enter);
        sim::Minimize(w.form.handle());
    };
    sim::DuringNextModal(tryAll);
    platform::ShowMessageBox(w.form.handle(), "busy", 0, "t");
    EXPECT_TRUE(ran_.empty());
    EXPECT_EQ(w.form.windowState(), WindowState::Normal);

    sim::DuringNextModal([&] { sim::Click(w.onFirst.handle()); });
    platform::ShowMessageBox(0, "ownerless", 0, "t");
    tryAll();  // answered: the form is the user's again
    EXPECT_THAT(ran_, ElementsAre("first", "first", "default"));
}

TEST_F(SimWidgets, ACheckBoxRunsItsHandlerOncePerChange) {
    TabbedForm w;
    w.form.show();
    w.tabs.select(1);
    std::vector<int> seen;
    w.onSecond.setOnClick([&] { seen.push_back(w.onSecond.value()); });

    w.onSecond.setValue(0);  // already unchecked
    w.onSecond.setValue(2);
    w.onSecond.setValue(2);
    sim::Click(w.onSecond.handle());  // grayed -> checked
    sim::Click(w.onSecond.handle());
    w.onSecond.setValue(1);
    EXPECT_THAT(seen, ElementsAre(2, 1, 0, 1));
}

TEST_F(SimWidgets, MinimisingRunsTheResizeHandlerBeforeItReturns) {
    platform::Form form(4500, 3000);
    form.setOnResize([&] {
        ran_.push_back(form.windowState() == WindowState::Minimized ? "minimised" : "normal");
    });
    form.show();

    sim::Minimize(form.handle());
    EXPECT_THAT(ran_, ElementsAre("minimised"));
    EXPECT_TRUE(form.visible());
    sim::Minimize(form.handle());  // already minimised
    form.setWindowState(WindowState::Minimized);
    EXPECT_EQ(ran_.size(), 1u);

    form.setWindowState(WindowState::Normal);  // a restore is a size change
    form.setWindowState(WindowState::Normal);
    EXPECT_THAT(ran_, ElementsAre("minimised", "normal"));

    // Shown again from the minimised state: normal, without a resize.
    form.setWindowState(WindowState::Minimized);
    form.hide();
    form.show();
    EXPECT_EQ(form.windowState(), WindowState::Normal);
    EXPECT_EQ(ran_.size(), 3u);
}

TEST_F(SimWidgets, AHandlerMayDestroyItsFormAndControls) {
    auto form = std::make_unique<platform::Form>(4500, 3000);
    auto cancel = std::make_unique<platform::Button>(*form, platform::kOnForm, kRect, "Cancel",
                                                     platform::ButtonRole::Cancel);
    auto label = std::make_unique<platform::Label>(*form, platform::kOnForm, kRect, "x");
    const platform::Handle cancelHandle = cancel->handle();
    // The form goes before its controls, and the running handler's own button
    // goes too; ASan reports any later use of their records or of the handler.
    cancel->setOnClick([&] {
        form.reset();
        cancel.reset();
        label.reset();
        ran_.push_back("cancel");
    });
    form->show();

    sim::PressKey(form->handle(), sim::Key::Escape);  // clicks the cancel button
    EXPECT_THAT(ran_, ElementsAre("cancel"));
    EXPECT_EQ(sim::LiveWindowCount(), 0);
    sim::Click(cancelHandle);  // gone: nothing runs
    EXPECT_EQ(ran_.size(), 1u);
}

TEST_F(SimWidgets, EveryFormAndControlIsAWindowUntilItsObjectGoes) {
    const int before = sim::LiveWindowCount();
    auto form = std::make_unique<platform::Form>(4500, 3000);
    auto tabs =
        std::make_unique<platform::TabStrip>(*form, kRect, std::vector<std::string>{"A"}, 520);
    auto line = std::make_unique<platform::Line>(*form, 0, 100, 900, 400);
    EXPECT_EQ(sim::LiveWindowCount(), before + 3);
    form.reset();  // its control objects still exist
    EXPECT_EQ(sim::LiveWindowCount(), before + 2);
    EXPECT_FALSE(sim::IsShowing(line->handle()));
    line->setLeft(50);
    EXPECT_EQ(line->left(), 50);
    tabs.reset();
    line.reset();
    EXPECT_EQ(sim::LiveWindowCount(), before);
}

TEST_F(SimWidgets, APageControlNeedsTheTabStripThatHasItsPage) {
    platform::Form form(4500, 3000);
    EXPECT_THROW(platform::Label(form, 0, kRect, "too early"), std::logic_error);
    platform::TabStrip tabs(form, kRect, {"A", "B"}, 520);
    EXPECT_THROW(platform::Label(form, 2, kRect, "no page 2"), std::logic_error);
    EXPECT_THROW(platform::TabStrip(form, kRect, {"C"}, 520), std::logic_error);
    platform::Label onB(form, 1, kRect, "fine");
    EXPECT_EQ(onB.text(), "fine");
}

TEST_F(SimWidgets, AutoSizeLabelsFollowTheirTextAndFormsCentre) {
    platform::Form form(5310, 5145);  // 354 x 343 pixels
    platform::LabelStyle autoSize;
    autoSize.autoSize = true;
    platform::Label sized(form, platform::kOnForm, kRect, "four", autoSize);
    platform::Label fixed(form, platform::kOnForm, kRect, "four");
    EXPECT_EQ(sized.width(), 4 * sim::kTwipsPerChar);
    sized.setText("seven!!");
    fixed.setText("seven!!");
    EXPECT_EQ(sized.width(), 7 * sim::kTwipsPerChar);
    EXPECT_EQ(fixed.width(), kRect.width);

    EXPECT_FALSE(sim::PlacementOf(form.handle()).centred);
    form.centre();
    const sim::FormPlacement placed = sim::PlacementOf(form.handle());
    EXPECT_TRUE(placed.centred);
    EXPECT_EQ(placed.clientWidthPx, 354);
    EXPECT_EQ(placed.clientHeightPx, 343);
    EXPECT_EQ(placed.x, (1024 - 354 - 6) / 2);
    EXPECT_EQ(placed.y, (768 - 343 - 25) / 2);
}

TEST_F(SimWidgets, AMenuRunsOnlyAnEnabledChoiceAndRecordsHowItLooked) {
    auto menu = std::make_unique<platform::PopupMenu>();
    const int open = menu->addItem("&Open", [&] { ran_.push_back("open"); });
    menu->addSeparator();
    const int exit = menu->addItem("E&xit", [&] {
        ran_.push_back("exit");
        menu.reset();  // a handler may destroy its own menu
    });
    menu->setChecked(open, true);
    menu->setEnabled(open, false);
    platform::SetForeground(0x48);

    sim::SetMenuChoice("&Open");  // disabled: dismissed
    menu->popup(0x40, exit);
    sim::SetMenuChoice("Exit");  // no item has that caption
    menu->popup(0x40, exit);
    EXPECT_TRUE(ran_.empty());

    ASSERT_EQ(sim::MenuPopups().size(), 2u);
    const sim::MenuPopup& shown = sim::MenuPopups()[0];
    EXPECT_EQ(shown.owner, 0x40u);
    EXPECT_EQ(shown.defaultItem, 2);
    EXPECT_EQ(shown.foregroundWhenOpened, 0x48u);
    ASSERT_EQ(shown.items.size(), 3u);
    EXPECT_TRUE(shown.items[0].checked);
    EXPECT_FALSE(shown.items[0].enabled);
    EXPECT_EQ(shown.items[1].caption, "-");

    sim::SetMenuChoice("E&xit");
    menu->popup(0x40, exit);
    EXPECT_THAT(ran_, ElementsAre("exit"));
    EXPECT_EQ(menu, nullptr);
}

TEST_F(SimWidgets, ShellCallsRecordTheScreenPointer) {
    platform::SetScreenPointer(platform::ScreenPointer::Hourglass);
    sim::SetShellOpenResult(2);
    EXPECT_EQ(platform::ShellOpen("http://example.org/"), 2);
    platform::ShowMessageBox(0, "failed", 0, "Orbiquell");
    platform::SetScreenPointer(platform::ScreenPointer::Default);
    platform::ShellOpen("mailto:x@example.org");
    platform::ShowMessageBox(0, "again", 0, "Orbiquell");

    ASSERT_EQ(sim::ShellOpenCalls().size(), 2u);
    EXPECT_TRUE(sim::ShellOpenCalls()[0].hourglassWhileCalled);
    EXPECT_FALSE(sim::ShellOpenCalls()[1].hourglassWhileCalled);
    ASSERT_EQ(sim::MessageBoxes().size(), 2u);
    EXPECT_EQ(sim::MessageBoxes()[0].screenPointer, platform::ScreenPointer::Hourglass);
    EXPECT_EQ(sim::MessageBoxes()[1].screenPointer, platform::ScreenPointer::Default);

    platform::SetForeground(0x44);
    sim::ClearRecords();
    EXPECT_TRUE(sim::ShellOpenCalls().empty());
    EXPECT_TRUE(sim::ForegroundCalls().empty());
    platform::PopupMenu menu;
    menu.popup(0x40, -1);  // the foreground window is state, not a record
    EXPECT_EQ(sim::MenuPopups().at(0).foregroundWhenOpened, 0x44u);
}

}  // namespace
