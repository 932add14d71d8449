#include <gtest/gtest.h>

#include <string>

#include "main_window_test.h"
#include "ui/main_window/about_texts.h"

namespace {

using platform::Pointer;

class AboutTabTest : public MainWindowTest {
  protected:
    static frmMain::Controls& OpenAbout() {
        auto& c = Open();
        sim::SelectTab(c.SSTab1.handle(), kAboutPage);
        return c;
    }
};

TEST_F(AboutTabTest, NameVersionAndLinkPlaces) {
    auto& c = OpenAbout();
    EXPECT_EQ(c.lblAppName.text(), "Orbiquell");
    EXPECT_EQ(c.lblVersion.text(), "version 1.5.0  (23 August 2005)");
    EXPECT_EQ(c.lblVisit.text(), "visit the Orbiquell");
    EXPECT_EQ(c.lblVisit.width(), 19 * sim::kTwipsPerChar);
    EXPECT_EQ(c.lblWebsite.left(), c.lblVisit.left() + c.lblVisit.width() + 60);
    EXPECT_EQ(c.lblEmail.left(), c.lblCopyright.left() + c.lblCopyright.width() + 60);
    EXPECT_GT(c.lblCopyright.width(), 0);
    EXPECT_TRUE(Showing(c.lblWebsite));
}

TEST_F(AboutTabTest, TheLinksGoWhereTheyShould) {
    auto& c = OpenAbout();
    sim::Click(c.lblWebsite.handle());
    sim::Click(c.lblEmail.handle());
    const auto& calls = sim::ShellOpenCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].file, "http://www.example.org/software/Orbiquell/");
    // The subject goes unescaped, space included.
    EXPECT_EQ(calls[1].file, "mailto:dorrik.vell@example.org?subject=Orbiquell 1.5.0");
    EXPECT_TRUE(calls[0].hourglassWhileCalled);
    EXPECT_EQ(sim::CurrentScreenPointer(), platform::ScreenPointer::Default);
    EXPECT_TRUE(sim::MessageBoxes().empty());
}

TEST_F(AboutTabTest, AFailedLinkNamesTheHandlerByItsExactPrefix) {
    auto& c = OpenAbout();
    sim::SetShellOpenResult(31);
    sim::Click(c.lblWebsite.handle());
    sim::SetShellOpenResult(-2);
    sim::Click(c.lblEmail.handle());
    sim::SetShellOpenResult(32);
    Main().ExecuteLink("HTTP://X/");
    Main().ExecuteLink("ftp://x/");
    Main().ExecuteLink("htt");
    sim::SetShellOpenResult(33);
    Main().ExecuteLink("ftp://fine/");

    const auto& boxes = sim::MessageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].prompt,
              "Error 31 opening link to http://www.example.org/software/Orbiquell/\r\n"
              "Check that your browser is correctly installed.");
    EXPECT_EQ(boxes[1].prompt,
              "Error -2 opening link to mailto:dorrik.vell@example.org?subject=Orbiquell 1.5.0\r\n"
              "Check that your mail client is correctly installed.");
    EXPECT_EQ(boxes[2].prompt,
              "Error 32 opening link to HTTP://X/\r\n"
              "Check that your application handling those files is correctly installed.");
    EXPECT_NE(boxes[3].prompt.find("application handling those files"), std::string::npos);
    EXPECT_NE(boxes[4].prompt.find("application handling those files"), std::string::npos);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.style, 48u);
        EXPECT_EQ(box.title, "Orbiquell");
        // Modal to the window: no second box and no Unload beneath it.
        EXPECT_EQ(box.owner, c.form.handle());
        // The hourglass stays up while the box is open.
        EXPECT_EQ(box.screenPointer, platform::ScreenPointer::Hourglass);
    }
    EXPECT_EQ(sim::CurrentScreenPointer(), platform::ScreenPointer::Default);
}

// The user ends the program from the tray while a failed link's box is open:
// the program ends, and the rest of the link's handler touches nothing gone.
TEST_F(AboutTabTest, ExitFromTheTrayWhileTheLinkBoxIsOpen) {
    frmSysTray::Instance().Load();
    const platform::Handle website = OpenAbout().lblWebsite.handle();
    sim::SetShellOpenResult(2);
    sim::SetMenuChoice("E&xit Orbiquell");
    sim::DuringNextModal([] {
        sim::SendTrayEvent(frmSysTray::Instance().trayIcon().window,
                           platform::TrayMouseEvent::RightButtonUp);
    });
    sim::Click(website);
    EXPECT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_FALSE(frmMain::IsLoaded());
    EXPECT_FALSE(frmSysTray::Instance().loaded());
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_EQ(sim::CurrentScreenPointer(), platform::ScreenPointer::Default);
}

TEST_F(AboutTabTest, TheHandShowsOverLinksUntilTheTabOrWindowSurface) {
    auto& c = OpenAbout();
    EXPECT_EQ(c.form.pointer(), Pointer::Default);
    sim::MouseMove(c.lblWebsite.handle());
    EXPECT_EQ(c.form.pointer(), Pointer::Custom);
    sim::MouseMove(c.lblVisit.handle());
    EXPECT_EQ(c.form.pointer(), Pointer::Custom);
    sim::MouseMove(c.SSTab1.handle());
    EXPECT_EQ(c.form.pointer(), Pointer::Default);
    sim::MouseMove(c.lblEmail.handle());
    EXPECT_EQ(c.form.pointer(), Pointer::Custom);
    sim::MouseMove(c.form.handle());
    EXPECT_EQ(c.form.pointer(), Pointer::Default);
}

TEST_F(AboutTabTest, TheGreetingTogglesOnlyWithShiftCtrlAltLeftClick) {
    auto& c = OpenAbout();
    const platform::Handle icon = c.Image.handle();
    sim::MouseDown(icon, platform::kLeftButton, platform::kShiftMask | platform::kCtrlMask);
    sim::MouseDown(icon, platform::kRightButton, 7);
    sim::MouseDown(icon, platform::kLeftButton | platform::kRightButton, 7);
    EXPECT_EQ(c.lblEEgg.text(), "");
    EXPECT_FALSE(Main().GreetingShown);

    sim::MouseDown(icon, platform::kLeftButton, 7);
    EXPECT_EQ(c.lblEEgg.text(), "Hello Pardolo!");
    sim::MouseDown(icon, platform::kLeftButton, 7);
    EXPECT_EQ(c.lblEEgg.text(), "");
    EXPECT_FALSE(Main().GreetingShown);
}

TEST_F(AboutTabTest, ActivationClearsTheGreetingButNotTheToggle) {
    auto& c = OpenAbout();
    sim::MouseDown(c.Image.handle(), platform::kLeftButton, 7);
    // Minimised and brought back from the tray: a new activation.
    sim::Minimize(c.form.handle());
    Main().Show();
    EXPECT_EQ(c.lblEEgg.text(), "");
    EXPECT_TRUE(Main().GreetingShown);
    sim::MouseDown(c.Image.handle(), platform::kLeftButton, 7);
    EXPECT_EQ(c.lblEEgg.text(), "");
    sim::MouseDown(c.Image.handle(), platform::kLeftButton, 7);
    EXPECT_EQ(c.lblEEgg.text(), "Hello Pardolo!");
    // Showing a window that is already up is no activation.
    Main().Show();
    EXPECT_EQ(c.lblEEgg.text(), "Hello Pardolo!");
}

TEST_F(AboutTabTest, TheToggleSurvivesClosingTheWindow) {
    auto& c = OpenAbout();
    sim::MouseDown(c.Image.handle(), platform::kLeftButton, 7);
    sim::CloseWindow(c.form.handle());
    auto& again = OpenAbout();
    EXPECT_EQ(again.lblEEgg.text(), "");
    EXPECT_TRUE(Main().GreetingShown);
    sim::MouseDown(again.Image.handle(), platform::kLeftButton, 7);
    EXPECT_EQ(again.lblEEgg.text(), "");
    sim::MouseDown(again.Image.handle(), platform::kLeftButton, 7);
    EXPECT_EQ(again.lblEEgg.text(), "Hello Pardolo!");
}

}  // namespace
