// The form window: its size at the screen's DPI, its style, its state changes
// and its close box.
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using widget_test::Native;
using widget_test::Px;

constexpr int kWidthTwips = 5310;
constexpr int kHeightTwips = 5145;

TEST(FormWindow, ClientAreaIsItsTwipsAtTheScreensDpi) {
    platform::Form form(kWidthTwips, kHeightTwips);
    RECT client{};
    GetClientRect(Native(form), &client);
    EXPECT_EQ(client.right, Px(kWidthTwips));
    EXPECT_EQ(client.bottom, Px(kHeightTwips));
    if (widget_test::ScreenDpi() == 96) {
        EXPECT_EQ(client.right, 354);
        EXPECT_EQ(client.bottom, 343);
    }
}

TEST(FormWindow, IsAHiddenFixedBorderWindowWithMinimiseButNoMaximise) {
    platform::Form form(kWidthTwips, kHeightTwips);
    const HWND window = Native(form);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(GetParent(window), nullptr);
}

TEST(FormWindow, CaptionRoundTrips) {
    platform::Form form(kWidthTwips, kHeightTwips);
    form.setCaption("Orbiquell 1.5");
    EXPECT_EQ(form.caption(), "Orbiquell 1.5");
    char text[64] = {};
    GetWindowTextA(Native(form), text, sizeof text);
    EXPECT_STREQ(text, "Orbiquell 1.5");
}

TEST(FormWindow, CentreCentresTheFrameOnTheScreen) {
    platform::Form form(kWidthTwips, kHeightTwips);
    form.centre();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    RECT frame{};
    GetWindowRect(Native(form), &frame);
    EXPECT_LE(std::abs(frame.left - (width - frame.right)), 1);
    EXPECT_LE(std::abs(frame.top - (height - frame.bottom)), 1);
}

TEST(FormWindow, ShowMakesItVisibleAndActive) {
    platform::Form form(kWidthTwips, kHeightTwips);
    form.show();
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(GetActiveWindow(), Native(form));
    form.hide();
    EXPECT_FALSE(form.visible());
}

TEST(FormWindow, TheCloseBoxRunsTheHandlerAndLeavesTheWindow) {
    platform::Form form(kWidthTwips, kHeightTwips);
    int closes = 0;
    form.setOnClose([&] { ++closes; });
    form.show();
    SendMessageA(Native(form), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(Native(form)));
    EXPECT_TRUE(form.visible());
}

TEST(FormWindow, TheCloseHandlerMayDestroyTheForm) {
    auto form = std::make_unique<platform::Form>(kWidthTwips, kHeightTwips);
    const HWND window = Native(*form);
    form->setOnClose([&] { form.reset(); });
    form->show();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(form, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

// What the main window does when minimised: it hides and sets itself back to
// normal from inside the resize handler.
TEST(FormWindowState, MinimisingRunsTheResizeHandlerBeforeItReturns) {
    platform::Form form(kWidthTwips, kHeightTwips);
    int resizes = 0;
    platform::WindowState stateSeen = platform::WindowState::Normal;
    form.show();
    form.setOnResize([&] {
        ++resizes;
        stateSeen = form.windowState();
    });
    form.setWindowState(platform::WindowState::Minimized);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(stateSeen, platform::WindowState::Minimized);
    EXPECT_EQ(form.windowState(), platform::WindowState::Minimized);
    EXPECT_TRUE(IsIconic(Native(form)));
}

TEST(FormWindowState, HiddenWhileMinimisedAndSetNormalItComesBackRestored) {
    platform::Form form(kWidthTwips, kHeightTwips);
    form.show();
    form.setOnResize([&] {
        if (form.windowState() == platform::WindowState::Minimized) {
            form.hide();
            form.setWindowState(platform::WindowState::Normal);
        }
    });
    form.setWindowState(platform::WindowState::Minimized);

    // Setting Normal on the hidden window neither shows it nor leaves it
    // reported as minimised.
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(form.windowState(), platform::WindowState::Normal);

    form.show();
    EXPECT_TRUE(form.visible());
    EXPECT_FALSE(IsIconic(Native(form)));
    EXPECT_EQ(form.windowState(), platform::WindowState::Normal);
    RECT client{};
    GetClientRect(Native(form), &client);
    EXPECT_EQ(client.right, Px(kWidthTwips));
}

TEST(FormWindowState, NormalOnAVisibleMinimisedWindowRestoresIt) {
    platform::Form form(kWidthTwips, kHeightTwips);
    form.show();
    form.setWindowState(platform::WindowState::Minimized);
    int resizes = 0;
    form.setOnResize([&] { ++resizes; });
    form.setWindowState(platform::WindowState::Normal);
    EXPECT_FALSE(IsIconic(Native(form)));
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(resizes, 1);
}

TEST(FormWindowState, AHiddenMinimisedWindowNotSetNormalShowsMinimised) {
    platform::Form form(kWidthTwips, kHeightTwips);
    form.show();
    form.setWindowState(platform::WindowState::Minimized);
    form.hide();
    form.show();
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(form.windowState(), platform::WindowState::Minimized);
}

}  // namespace
