// The controls: their place in twips, their fonts and colours, labels that
// size themselves, check boxes and buttons.
#include <memory>
#include <string>

#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using platform::TwipRect;
using widget_test::Native;
using widget_test::PlaceOf;
using widget_test::Px;

constexpr int kPage = platform::kOnForm;

LOGFONTA FontOf(HWND window) {
    LOGFONTA font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return font;
}

// The face Windows actually drew with: Tahoma exists, no substitute took over.
std::string DrawnFace(HWND window) {
    const HDC dc = GetDC(window);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return face;
}

// What the form answers a static or read-only control that asks for its
// colours: the brush, and the text and background colours left in the DC.
struct Colours {
    HBRUSH brush;
    COLORREF text;
    COLORREF background;
};

Colours ColoursOf(HWND control) {
    const HWND form = GetParent(control);
    const HDC dc = GetDC(control);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    const Colours colours{brush, GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(control, dc);
    return colours;
}

class Controls : public ::testing::Test {
  protected:
    platform::Form form{5310, 5145};
};

TEST_F(Controls, ArePlacedInPixelsOfTheirTwips) {
    const platform::Button button(form, kPage, {1980, 4690, 1035, 348}, "OK");
    const RECT place = PlaceOf(Native(button));
    EXPECT_EQ(place.left, Px(1980));
    EXPECT_EQ(place.top, Px(4690));
    EXPECT_EQ(place.right - place.left, Px(1035));
    EXPECT_EQ(place.bottom - place.top, Px(348));
    EXPECT_EQ(GetParent(Native(button)), Native(form));
}

TEST_F(Controls, LeftAndWidthReportTwipsAndSetLeftMovesOnlySideways) {
    // Multiples of 30 twips are whole pixels at 96 and at 144 DPI.
    platform::Label label(form, kPage, {240, 1320, 3000, 195}, "text");
    EXPECT_EQ(label.left(), 240);
    EXPECT_EQ(label.width(), 3000);
    const RECT before = PlaceOf(Native(label));

    label.setLeft(1020);

    EXPECT_EQ(label.left(), 1020);
    EXPECT_EQ(label.width(), 3000);
    const RECT after = PlaceOf(Native(label));
    EXPECT_EQ(after.left, Px(1020));
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(Controls, UseTahomaAtEightPointTwoFiveAtTheScreensDpi) {
    const platform::Label plain(form, kPage, {0, 0, 600, 200}, "plain");
    const platform::Label bold(form, kPage, {0, 0, 600, 200}, "bold", widget_test::Bold());
    const platform::Label link(form, kPage, {0, 0, 600, 200}, "link", widget_test::Link());
    const platform::CheckBox box(form, kPage, {0, 0, 600, 200}, "&Box");

    const int height = -MulDiv(825, widget_test::ScreenDpi(), 7200);
    for (const HWND control : {Native(plain), Native(bold), Native(link), Native(box)}) {
        const LOGFONTA font = FontOf(control);
        EXPECT_STREQ(font.lfFaceName, "Tahoma");
        EXPECT_EQ(font.lfHeight, height);
        EXPECT_EQ(DrawnFace(control), "Tahoma");
    }
    EXPECT_EQ(FontOf(Native(plain)).lfWeight, FW_NORMAL);
    EXPECT_FALSE(FontOf(Native(plain)).lfUnderline);
    EXPECT_EQ(FontOf(Native(bold)).lfWeight, FW_BOLD);
    EXPECT_TRUE(FontOf(Native(link)).lfUnderline);
    EXPECT_EQ(FontOf(Native(link)).lfWeight, FW_NORMAL);
}

TEST_F(Controls, AnAutoSizeLabelTakesTheWidthOfItsText) {
    platform::Label label(form, kPage, {240, 1320, 0, 195}, "Copyright", widget_test::AutoSize());
    const int shortWidth = label.width();
    EXPECT_GT(shortWidth, 0);

    label.setText("Copyright (C) The Orbiquell developers");
    EXPECT_GT(label.width(), shortWidth);
    EXPECT_EQ(label.text(), "Copyright (C) The Orbiquell developers");
    const RECT place = PlaceOf(Native(label));
    EXPECT_EQ(place.left, Px(240));
    EXPECT_EQ(place.bottom - place.top, Px(195));

    label.setText("");
    EXPECT_EQ(label.width(), 0);
}

TEST_F(Controls, ALinksUnderlineEndsWithItsText) {
    form.show();
    const platform::Label link(form, kPage, {240, 1920, 0, 195}, "website",
                               widget_test::AutoSizeLink());
    UpdateWindow(Native(form));
    RECT place{};
    GetWindowRect(Native(link), &place);
    // The label as drawn on the screen: the rightmost column of the glyphs,
    // above the underline, and of the underline, in the bottom rows.
    const HDC screen = GetDC(nullptr);
    const auto blue = [&](int x, int y) { return GetPixel(screen, x, y) == RGB(0, 0, 255); };
    int glyphsEnd = -1;
    int underlineEnd = -1;
    for (int x = place.left; x < place.right + 8; ++x) {
        for (int y = place.top; y < place.bottom; ++y) {
            if (!blue(x, y)) continue;
            if (y < place.top + (place.bottom - place.top) * 2 / 3) {
                glyphsEnd = x;
            } else {
                underlineEnd = x;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    ASSERT_GE(glyphsEnd, place.left);
    EXPECT_LE(underlineEnd, glyphsEnd + 1);
    EXPECT_LE(place.right, glyphsEnd + 2);
}

TEST_F(Controls, AFixedLabelKeepsItsWidthAndShowsAmpersandsLiterally) {
    platform::Label label(form, kPage, {0, 0, 1500, 195}, "Tom & Jerry");
    label.setText("a much longer text than the label is wide, clipped at its edge");
    EXPECT_EQ(label.width(), 1500);
    EXPECT_NE(GetWindowLongA(Native(label), GWL_STYLE) & SS_NOPREFIX, 0);
}

TEST_F(Controls, ALinkIsBlueOnTheButtonFace) {
    const platform::Label link(form, kPage, {0, 0, 600, 200}, "website", widget_test::Link());
    const Colours colours = ColoursOf(Native(link));
    EXPECT_EQ(colours.text, RGB(0, 0, 255));
    EXPECT_EQ(colours.background, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(colours.brush, GetSysColorBrush(COLOR_BTNFACE));

    const platform::Label plain(form, kPage, {0, 0, 600, 200}, "text");
    EXPECT_EQ(ColoursOf(Native(plain)).text, GetSysColor(COLOR_BTNTEXT));
}

TEST_F(Controls, ALabelClickRunsItsHandler) {
    platform::Label link(form, kPage, {0, 0, 600, 200}, "website", widget_test::Link());
    int clicks = 0;
    link.setOnClick([&] { ++clicks; });
    // What a static with SS_NOTIFY sends when clicked.
    SendMessageA(Native(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Native(link)), STN_CLICKED),
                 reinterpret_cast<LPARAM>(Native(link)));
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(GetWindowLongA(Native(link), GWL_STYLE) & SS_NOTIFY, 0);
}

TEST_F(Controls, ADisplayFieldIsAReadOnlyEditOnWhiteUntilGivenTheButtonFace) {
    platform::TextField field(form, kPage, {360, 360, 4095, 285});
    const LONG style = GetWindowLongA(Native(field), GWL_STYLE);
    EXPECT_NE(style & ES_READONLY, 0);
    EXPECT_EQ(style & WS_TABSTOP, 0);
    field.setText("up for 3 days");
    EXPECT_EQ(field.text(), "up for 3 days");

    EXPECT_FALSE(field.hasButtonFaceBackground());
    EXPECT_EQ(ColoursOf(Native(field)).brush, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(ColoursOf(Native(field)).background, GetSysColor(COLOR_WINDOW));

    field.setButtonFaceBackground();
    EXPECT_TRUE(field.hasButtonFaceBackground());
    EXPECT_EQ(ColoursOf(Native(field)).brush, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(ColoursOf(Native(field)).background, GetSysColor(COLOR_BTNFACE));
}

TEST_F(Controls, AControlMayOutliveItsForm) {
    auto owner = std::make_unique<platform::Form>(5310, 5145);
    auto label = std::make_unique<platform::Label>(*owner, kPage, TwipRect{0, 0, 600, 200}, "x",
                                                   widget_test::WithTooltip("tip"));
    const HWND window = Native(*label);
    owner.reset();
    EXPECT_FALSE(IsWindow(window));
    label.reset();
}

struct TooltipSearch {
    HWND form;
    HWND found;
};

BOOL CALLBACK FindTooltips(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<TooltipSearch*>(lParam);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (GetWindow(window, GW_OWNER) == search->form && std::string(name) == TOOLTIPS_CLASSA) {
        search->found = window;
    }
    return TRUE;
}

// The tooltip window the form owns, if it has one.
HWND TooltipsOf(HWND form) {
    TooltipSearch search{form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindTooltips, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Controls, LabelsAndCheckBoxesTakeTooltipsUntilTheyGo) {
    const platform::Label plain(form, kPage, {0, 0, 600, 200}, "no tip");
    EXPECT_EQ(TooltipsOf(Native(form)), nullptr);
    auto link = std::make_unique<platform::Label>(form, kPage, TwipRect{0, 0, 600, 200}, "website",
                                                  widget_test::WithTooltip("visit the website"));
    const platform::CheckBox box(form, kPage, {0, 300, 2000, 255}, "&Auto Load",
                                 "auto start on login");
    const HWND tooltips = TooltipsOf(Native(form));
    ASSERT_NE(tooltips, nullptr);
    EXPECT_EQ(SendMessageA(tooltips, TTM_GETTOOLCOUNT, 0, 0), 2);

    char text[80] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = Native(form);
    tool.uId = reinterpret_cast<UINT_PTR>(Native(box));
    tool.lpszText = text;
    SendMessageA(tooltips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "auto start on login");

    link.reset();
    EXPECT_EQ(SendMessageA(tooltips, TTM_GETTOOLCOUNT, 0, 0), 1);
}

class CheckBoxes : public Controls {
  protected:
    void SetUp() override {
        box.setOnClick([this] {
            ++clicks;
            valuesSeen += std::to_string(box.value());
        });
    }
    platform::CheckBox box{form, kPage, {300, 120, 3615, 255}, "&Enable Hot Corners"};
    int clicks = 0;
    std::string valuesSeen;
};

TEST_F(CheckBoxes, SetValueRunsTheHandlerOncePerChangeAfterTheChange) {
    EXPECT_EQ(box.value(), 0);
    box.setValue(1);
    EXPECT_EQ(clicks, 1);
    box.setValue(1);
    EXPECT_EQ(clicks, 1);
    box.setValue(2);
    box.setValue(0);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(valuesSeen, "120");
    box.setValue(0);
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckBoxes, AClickTogglesAndRunsTheHandlerOnce) {
    form.show();
    SendMessageA(Native(box), BM_CLICK, 0, 0);
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(clicks, 1);
    SendMessageA(Native(box), BM_CLICK, 0, 0);
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(valuesSeen, "10");
}

TEST_F(CheckBoxes, AClickOnAGrayedBoxChecksIt) {
    form.show();
    box.setValue(2);
    clicks = 0;
    SendMessageA(Native(box), BM_CLICK, 0, 0);
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, AButtonClickRunsItsHandlerOnce) {
    form.show();
    platform::Button apply(form, kPage, {4140, 4690, 1035, 348}, "&Apply");
    int clicks = 0;
    apply.setOnClick([&] { ++clicks; });
    SendMessageA(Native(apply), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, AButtonHandlerMayDestroyTheButton) {
    form.show();
    auto unload =
        std::make_unique<platform::Button>(form, kPage, TwipRect{120, 4690, 1035, 348}, "&Unload");
    const HWND window = Native(*unload);
    unload->setOnClick([&] { unload.reset(); });
    SendMessageA(window, BM_CLICK, 0, 0);
    EXPECT_EQ(unload, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
