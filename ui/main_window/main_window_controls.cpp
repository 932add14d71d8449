#include "ui/main_window/main_window_controls.h"

#include "res/resource_ids.h"
#include "ui/main_window/about_texts.h"

namespace {

using platform::kOnForm;
using platform::TwipRect;

constexpr int kClientWidth = 5310;
constexpr int kClientHeight = 5145;
constexpr TwipRect kTab{120, 120, 5055, 4500};
constexpr int kTabHeight = 520;

// A control's place given relative to its container (the tab control's area, a
// frame, a plain container inside a frame), as the form sees it.
constexpr TwipRect In(TwipRect container, TwipRect rect) {
    return {container.left + rect.left, container.top + rect.top, rect.width, rect.height};
}

constexpr TwipRect kFrame4 = In(kTab, {240, 480, 4575, 1095});
constexpr TwipRect kFrame1 = In(kTab, {240, 1680, 4575, 1095});
// The Hot Corners frame is 300 twips taller than the Auto Load frame below it
// used to leave it, for the full-screen box; the Auto Load frame gives up the
// empty room at its foot.
constexpr TwipRect kFrame5 = In(kTab, {240, 480, 4575, 1995});
constexpr TwipRect kPicture1 = In(kFrame5, {60, 240, 4455, 1635});
constexpr TwipRect kFrame6 = In(kTab, {240, 2580, 4575, 1755});
constexpr TwipRect kPicture2 = In(kFrame6, {60, 240, 4455, 1395});

constexpr const char* kAutoStartTooltip = "auto start Orbiquell on login to Windows";

// Auto-size labels start as wide as nothing; their text gives them their width.
platform::LabelStyle AutoSize() {
    platform::LabelStyle style;
    style.autoSize = true;
    return style;
}

platform::LabelStyle Link(const char* tooltip) {
    platform::LabelStyle style = AutoSize();
    style.link = true;
    style.tooltip = tooltip;
    return style;
}

platform::LabelStyle Bold() {
    platform::LabelStyle style;
    style.bold = true;
    return style;
}

platform::LabelStyle Wrapping() {
    platform::LabelStyle style;
    style.wrap = true;
    return style;
}

}  // namespace

frmMain::Controls::Controls(frmMain& owner)
    : form(kClientWidth, kClientHeight),
      SSTab1(form, kTab, {"Status", "Settings", "About"}, kTabHeight),
      btnOK(form, kOnForm, {1980, 4690, 1035, 348}, "OK", platform::ButtonRole::Default),
      btnCancel(form, kOnForm, {3060, 4690, 1035, 348}, "Cancel", platform::ButtonRole::Cancel),
      btnApply(form, kOnForm, {4140, 4690, 1035, 348}, "&Apply"),
      btnUnload(form, kOnForm, {120, 4690, 1035, 348}, "&Unload"),

      Frame4(form, kStatusPage, kFrame4, "System Uptime"),
      txtUptime(form, kStatusPage, In(kFrame4, {360, 360, 4095, 285})),
      txtStartTime(form, kStatusPage, In(kFrame4, {360, 600, 4095, 285})),
      Frame1(form, kStatusPage, kFrame1, "Resource Utilisation"),
      Label6(form, kStatusPage, In(kFrame1, {360, 360, 1215, 255}), "CPU Usage:"),
      txtCpuUsage(form, kStatusPage, In(kFrame1, {1800, 360, 2295, 285})),
      Label7(form, kStatusPage, In(kFrame1, {360, 600, 1215, 255}), "Memory Usage:"),
      txtMemUsage(form, kStatusPage, In(kFrame1, {1800, 600, 2295, 285})),

      Frame5(form, kSettingsPage, kFrame5, "Hot Corners"),
      Frame6(form, kSettingsPage, kFrame6, "Auto Load"),
      chkAutoStartCurr(form, kSettingsPage, In(kPicture2, {300, 480, 3555, 255}),
                       "Auto Load Orbiquell for &Current User", kAutoStartTooltip),
      chkAutoStartAll(form, kSettingsPage, In(kPicture2, {300, 120, 3555, 255}),
                      "Auto Load Orbiquell for A&ll Users", kAutoStartTooltip),
      Label5(form, kSettingsPage, In(kPicture2, {180, 900, 4095, 495}),
             "Automatically start Orbiquell whenever user performs a console login on this PC.",
             Wrapping()),
      chkHotCorners(form, kSettingsPage, In(kPicture1, {300, 120, 3615, 255}),
                    "&Enable Hot Corners"),
      chkFullScreenGuard(form, kSettingsPage, In(kPicture1, {300, 420, 3615, 255}),
                         "Not while a program &fills the screen"),
      // Down to the foot of its container rather than three lines high: where
      // Tahoma runs wider (as under Wine) the text takes a fourth line.
      Label3(form, kSettingsPage, In(kPicture1, {180, 840, 4095, 795}),
             "Placing mouse cursor in the bottom left corner of the screen will start the screen "
             "saver, placing it in the bottom right corner will disable the screen saver.",
             Wrapping()),

      Image(form, kAboutPage, In(kTab, {300, 600, 480, 480}), IDI_APP),
      lblAppName(form, kAboutPage, In(kTab, {1020, 600, 3255, 255}), "", Bold()),
      lblVersion(form, kAboutPage, In(kTab, {1020, 840, 3255, 255}), ""),
      lblCopyright(form, kAboutPage, In(kTab, {240, 1320, 0, 195}), kNoticeFirstLine, AutoSize()),
      lblEmail(form, kAboutPage, In(kTab, {0, 1320, 0, 195}), kMakerName,
               Link("click to email Dorrik")),
      Label9(form, kAboutPage, In(kTab, {240, 1530, 4455, 255}), kNoticeSecondLine),
      lblVisit(form, kAboutPage, In(kTab, {240, 1920, 0, 195}), "", AutoSize()),
      lblWebsite(form, kAboutPage, In(kTab, {0, 1920, 0, 195}), "website",
                 Link("click to visit the website")),
      Line2(form, kAboutPage, kTab.left + 240, kTab.top + 2340, kTab.left + 4800),
      Label2(form, kAboutPage, In(kTab, {300, 2520, 4455, 855}), kTermsOfUse, Wrapping()),
      Line1(form, kAboutPage, kTab.left + 240, kTab.top + 3525, kTab.left + 4800),
      lblEEgg(form, kAboutPage, In(kTab, {300, 3720, 2055, 255}), ""),

      Timer1(1000, [&owner] { owner.Timer1_Timer(); }) {
    form.setOnClose([&owner] { owner.Unload(); });
    form.setOnResize([&owner] { owner.Form_Resize(); });
    form.setOnDpiChanged([&owner] { owner.Form_DpiChanged(); });
    form.setOnMouseMove([this] { form.setPointer(platform::Pointer::Default); });
    SSTab1.setOnMouseMove([this] { form.setPointer(platform::Pointer::Default); });

    btnOK.setOnClick([&owner] { owner.btnOK_Click(); });
    btnCancel.setOnClick([&owner] { owner.btnCancel_Click(); });
    btnApply.setOnClick([&owner] { owner.btnApply_Click(); });
    btnUnload.setOnClick([&owner] { owner.btnUnload_Click(); });

    chkAutoStartCurr.setOnClick([&owner] { owner.chkAutoStartCurr_Click(); });
    chkAutoStartAll.setOnClick([&owner] { owner.chkAutoStartAll_Click(); });

    Image.setOnMouseDown([&owner](int button, int shift) { owner.Image_MouseDown(button, shift); });
    lblWebsite.setOnClick([&owner] { owner.lblWebsite_Click(); });
    lblEmail.setOnClick([&owner] { owner.lblEmail_Click(); });
    // Over a link the window's pointer becomes the hand; it stays until the
    // mouse reaches the window's or the tab control's own surface.
    lblWebsite.setOnMouseMove([this] { form.setPointer(platform::Pointer::Custom); });
    lblEmail.setOnMouseMove([this] { form.setPointer(platform::Pointer::Custom); });
}
