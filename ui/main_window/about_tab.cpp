// The About tab: the program's name and version, the two links and the hidden
// greeting.
#include <cstdint>
#include <string>

#include "common/app_info.h"
#include "common/resume_next.h"
#include "platform/platform.h"
#include "ui/main_window/about_texts.h"
#include "ui/main_window/frm_main.h"
#include "ui/main_window/main_window_controls.h"

namespace {

// The gap between a line's text and the link that follows it: 4 pixels.
constexpr int kLinkGap = 60;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What the user is told to check when a link cannot be opened. The prefixes
// are compared exactly, letter case included.
std::string HandlerKind(const std::string& link) {
    if (link.starts_with("http")) return "browser";
    if (link.starts_with("mailto")) return "mail client";
    return "application handling those files";
}

}  // namespace

std::string VersionNumberText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

std::string VersionLabelText() {
    return "version " + VersionNumberText() + "  (" + Trimmed(kBuildDate) + ")";
}

void frmMain::SetAboutTexts() {
    Controls& c = *controls_;
    ResumeNext([&] { c.lblAppName.setText(AppTitle()); });
    ResumeNext([&] { c.lblVersion.setText(VersionLabelText()); });
    ResumeNext([&] { mVersionText = AppTitle() + " " + VersionNumberText(); });
    ResumeNext([&] { c.lblVisit.setText("visit the " + AppTitle()); });
    PlaceLinks();
}

void frmMain::PlaceLinks() {
    Controls& c = *controls_;
    ResumeNext([&] { c.lblWebsite.setLeft(c.lblVisit.left() + c.lblVisit.width() + kLinkGap); });
    ResumeNext(
        [&] { c.lblEmail.setLeft(c.lblCopyright.left() + c.lblCopyright.width() + kLinkGap); });
}

void frmMain::lblWebsite_Click() {
    ExecuteLink(kWebsiteUrl);
}

void frmMain::lblEmail_Click() {
    // The subject goes unescaped, space included; mail programs take it so.
    ExecuteLink(std::string("mailto:") + kEmailAddress + "?subject=" + mVersionText);
}

void frmMain::ExecuteLink(const std::string& link) {
    ResumeNext([] { platform::SetScreenPointer(platform::ScreenPointer::Hourglass); });
    std::int32_t result = 0;
    ResumeNext([&] { result = platform::ShellOpen(link); });
    if (result <= 32) {
        // The hourglass stays up while the box is open.
        ResumeNext([&] {
            // Modal to the window, which stays disabled until the box is
            // closed, so that no second box or Unload can come beneath it.
            platform::ShowMessageBox(controls_->form.handle(),
                                     "Error " + std::to_string(result) + " opening link to " +
                                         link + "\r\n" + "Check that your " + HandlerKind(link) +
                                         " is correctly installed.",
                                     platform::kMbIconExclamation, AppTitle());
        });
    }
    ResumeNext([] { platform::SetScreenPointer(platform::ScreenPointer::Default); });
}

void frmMain::Image_MouseDown(int button, int shift) {
    constexpr int kShiftCtrlAlt = platform::kShiftMask | platform::kCtrlMask | platform::kAltMask;
    if (button != platform::kLeftButton || shift != kShiftCtrlAlt) return;
    GreetingShown = !GreetingShown;
    if (GreetingShown) {
        controls_->lblEEgg.setText(kGreeting);
    } else {
        Form_Activate();
    }
}
