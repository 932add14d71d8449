// The main window at the scale of its screen: a change of scale while it is
// open lays it out as a start at the new scale does.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "main_window_test.h"

namespace sim {

void PrintTo(const PixelRect& rect, std::ostream* out) {
    *out << rect.left << "," << rect.top << " " << rect.width << "x" << rect.height;
}

}  // namespace sim

namespace {

struct Layout {
    sim::FormPlacement placement;
    std::vector<sim::PixelRect> controls;
};

Layout LayoutOf(const platform::Form& form) {
    return {sim::PlacementOf(form.handle()), sim::ControlPixels(form.handle())};
}

class ScaleTest : public MainWindowTest {
  protected:
    // The window as it opens on a screen of this DPI.
    Layout StartAt(int dpi) {
        sim::SetScreenDpi(dpi);
        const Layout layout = LayoutOf(Open().form);
        Main().Unload();
        sim::SetScreenDpi(96);
        return layout;
    }
};

void ExpectSame(const Layout& live, const Layout& start, int dpi) {
    SCOPED_TRACE(dpi);
    EXPECT_EQ(live.placement.clientWidthPx, start.placement.clientWidthPx);
    EXPECT_EQ(live.placement.clientHeightPx, start.placement.clientHeightPx);
    ASSERT_EQ(live.controls.size(), start.controls.size());
    for (std::size_t i = 0; i < live.controls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(live.controls[i], start.controls[i]);
    }
}

TEST_F(ScaleTest, AChangeOfScaleLaysTheWindowOutAsAStartAtThatScale) {
    const Layout at96 = StartAt(96);
    const Layout at144 = StartAt(144);
    EXPECT_EQ(at144.placement.clientWidthPx, 531);

    auto& c = Open();
    sim::SelectTab(c.SSTab1.handle(), kAboutPage);
    sim::ChangeFormDpi(c.form.handle(), 144);
    ExpectSame(LayoutOf(c.form), at144, 144);
    sim::ChangeFormDpi(c.form.handle(), 96);
    ExpectSame(LayoutOf(c.form), at96, 96);
    // The window stays what it was apart from its scale.
    EXPECT_EQ(c.SSTab1.selected(), kAboutPage);
    EXPECT_TRUE(Showing(c.lblWebsite));
}

}  // namespace
