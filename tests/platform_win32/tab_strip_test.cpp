// The tab control and its pages: which controls show, the user's clicks on
// the tabs, and the Tab key's order.
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using platform::kOnForm;
using widget_test::Native;
using widget_test::Px;

// The main window's arrangement in small: the tab control, buttons on the
// form, then a control or two on each page.
class TabPages : public ::testing::Test {
  protected:
    platform::Form form{5310, 5145};
    platform::TabStrip tabs{form, {120, 120, 5055, 4500}, {"Status", "Settings", "About"}, 520};
    platform::Button ok{
        form, kOnForm, {1980, 4690, 1035, 348}, "OK", platform::ButtonRole::Default};
    platform::Button cancel{
        form, kOnForm, {3060, 4690, 1035, 348}, "Cancel", platform::ButtonRole::Cancel};
    platform::TextField uptime{form, 0, {480, 960, 4095, 285}};
    platform::CheckBox hotCorners{form, 1, {660, 960, 3615, 255}, "&Enable Hot Corners"};
    platform::CheckBox autoStart{form, 1, {660, 1360, 3615, 255}, "Auto &Load"};
    platform::Label website{form, 2, {360, 2040, 600, 195}, "website", widget_test::Link()};

    bool Showing(HWND control) const { return IsWindowVisible(control) != FALSE; }
};

TEST_F(TabPages, TheFirstPageIsSelectedAndShownAtFirst) {
    form.show();
    EXPECT_EQ(tabs.selected(), 0);
    EXPECT_TRUE(Showing(Native(uptime)));
    EXPECT_FALSE(Showing(Native(hotCorners)));
    EXPECT_FALSE(Showing(Native(website)));
    EXPECT_TRUE(Showing(Native(ok)));
}

TEST_F(TabPages, SelectShowsThatPageAndHidesTheOthers) {
    form.show();
    tabs.select(1);
    EXPECT_EQ(tabs.selected(), 1);
    EXPECT_FALSE(Showing(Native(uptime)));
    EXPECT_TRUE(Showing(Native(hotCorners)));
    EXPECT_TRUE(Showing(Native(autoStart)));
    EXPECT_FALSE(Showing(Native(website)));
    EXPECT_TRUE(Showing(Native(ok)));

    tabs.select(2);
    EXPECT_FALSE(Showing(Native(hotCorners)));
    EXPECT_TRUE(Showing(Native(website)));
}

TEST_F(TabPages, AControlCreatedForAnotherPageStartsHidden) {
    tabs.select(2);
    const platform::Label late(form, 1, {360, 2400, 600, 195}, "late");
    const platform::Label here(form, 2, {360, 2700, 600, 195}, "here");
    EXPECT_EQ(GetWindowLongA(Native(late), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_NE(GetWindowLongA(Native(here), GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(TabPages, AUsersClickOnATabShowsItsPage) {
    form.show();
    RECT tab{};
    SendMessageA(Native(tabs), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageA(Native(tabs), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(Native(tabs), WM_LBUTTONUP, 0, point);

    EXPECT_EQ(tabs.selected(), 1);
    EXPECT_TRUE(Showing(Native(hotCorners)));
    EXPECT_FALSE(Showing(Native(uptime)));
}

TEST_F(TabPages, TabsShareTheWidthInOneRowAtTheGivenHeightWithoutScrollArrows) {
    RECT first{};
    RECT last{};
    SendMessageA(Native(tabs), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(Native(tabs), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    RECT client{};
    GetClientRect(Native(tabs), &client);
    EXPECT_EQ(first.bottom - first.top, Px(520));
    EXPECT_EQ(first.top, last.top);
    EXPECT_EQ(last.right - last.left, first.right - first.left);
    // Only the selected tab's outset of a few pixels is left over.
    EXPECT_LE(last.right, client.right);
    EXPECT_GE(3 * (first.right - first.left), client.right - 6);
    EXPECT_EQ(SendMessageA(Native(tabs), TCM_GETROWCOUNT, 0, 0), 1);
    EXPECT_EQ(FindWindowExA(Native(tabs), nullptr, UPDOWN_CLASSA, nullptr), nullptr);
}

TEST_F(TabPages, TheTabKeyVisitsControlsInCreationOrderThenTheTabControl) {
    form.show();
    tabs.select(1);
    const HWND window = Native(form);
    // The display field takes no tab stop; the page shown is the second.
    EXPECT_EQ(GetNextDlgTabItem(window, Native(tabs), FALSE), Native(ok));
    EXPECT_EQ(GetNextDlgTabItem(window, Native(ok), FALSE), Native(cancel));
    EXPECT_EQ(GetNextDlgTabItem(window, Native(cancel), FALSE), Native(hotCorners));
    EXPECT_EQ(GetNextDlgTabItem(window, Native(hotCorners), FALSE), Native(autoStart));
    EXPECT_EQ(GetNextDlgTabItem(window, Native(autoStart), FALSE), Native(tabs));
}

// The tab control fills its whole rectangle with its page's colour; when it
// alone paints again (its selection changes, a window uncovers some of it)
// the controls lying on it must stay on top.
TEST_F(TabPages, TheTabControlPaintsUnderTheControlsOnItsPage) {
    form.show();
    RedrawWindow(Native(form), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RedrawWindow(Native(tabs), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // An empty display field is drawn in the window colour, the page in the
    // button face; the two differ in every colour scheme worth testing.
    ASSERT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
    const RECT field = widget_test::PlaceOf(Native(uptime));
    const HDC dc = GetDC(Native(form));
    const COLORREF inside = GetPixel(dc, (field.left + field.right) / 2, field.top + 4);
    const COLORREF page = GetPixel(dc, field.left - 8, field.top + 4);
    ReleaseDC(Native(form), dc);
    EXPECT_EQ(inside, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(page, GetSysColor(COLOR_BTNFACE));
}

TEST_F(TabPages, TheTabControlHasTheFocusWhenTheFormIsFirstShown) {
    form.show();
    EXPECT_EQ(GetFocus(), Native(tabs));
}

TEST_F(TabPages, TheFocusComesBackToItsControlWhenTheFormIsActivatedAgain) {
    form.show();
    tabs.select(1);
    SetFocus(Native(autoStart));
    platform::Form other(1500, 1500);
    other.show();
    EXPECT_NE(GetActiveWindow(), Native(form));
    form.show();
    EXPECT_EQ(GetActiveWindow(), Native(form));
    EXPECT_EQ(GetFocus(), Native(autoStart));
}

}  // namespace
