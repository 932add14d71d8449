#include "app/tray_form.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "app/os_version.h"
#include "app/pc_name.h"
#include "app/sleeper.h"
#include "app/tray/sys_tray.h"
#include "app/tray_menu.h"
#include "common/app_info.h"
#include "common/globals.h"
#include "common/resume_next.h"
#include "monitors/ip_helper.h"
#include "platform/housekeeping.h"
#include "screensaver/screen_saver.h"
#include "settings/hot_corners.h"
#include "settings/legacy.h"
#include "settings/reg_stuff.h"
#include "settings/registry_layout.h"
#include "ui/main_window/frm_main.h"
#include "uptime/uptime.h"

namespace {

constexpr std::uint32_t kTickIntervalMs = 400;
// Every 750 ticks of 400 ms: five minutes.
constexpr int kTrimEveryTicks = 750;

}  // namespace

std::unique_ptr<CIpHelper> gIpHelper;

CIpHelper& IpHelper() {
    if (!gIpHelper) gIpHelper = std::make_unique<CIpHelper>();
    return *gIpHelper;
}

namespace {

std::unique_ptr<frmSysTray>& TheInstance() {
    static std::unique_ptr<frmSysTray> instance;
    return instance;
}

}  // namespace

struct frmSysTray::Controls {
    explicit Controls(frmSysTray& owner)
        : form(AppTitle()),
          picSysTray(form),
          timUpdate(kTickIntervalMs, [&owner] { owner.timUpdate_Timer(); }),
          menu(owner) {
        // End of the session or WM_CLOSE: the program ends like from its menu.
        form.setOnUnload([&owner] { owner.menuExit_Click(); });
        form.setOnTaskbarCreated([&owner] { owner.Form_TaskbarCreated(); });
        form.setOnDisplayChange([&owner] { owner.Form_DisplayChange(); });
        picSysTray.setOnTrayEvent(
            [&owner](platform::TrayMouseEvent event) { owner.picSysTray_MouseMove(event); });
    }

    platform::HiddenForm form;
    platform::PictureBox picSysTray;
    platform::Timer timUpdate;
    TrayImages images;
    TrayIconState iconState;
    TrayMenu menu;
};

frmSysTray& frmSysTray::Instance() {
    auto& instance = TheInstance();
    if (!instance) instance.reset(new frmSysTray());
    return *instance;
}

void frmSysTray::Destroy() {
    TheInstance().reset();
    gIpHelper.reset();
}

void frmSysTray::Load() {
    if (loaded_) return;
    frmMain::UnloadTrayForm() = [] { frmSysTray::Instance().Unload(); };
    frmMain::HotCornersSwitched() = [] {
        if (gHotCornersEnabled == 0) EndHotCornerHold();
    };
    controls_ = std::make_unique<Controls>(*this);
    // The first tick comes one interval after start-up has finished, never
    // while the start-up's own message box is open.
    controls_->timUpdate.setEnabled(false);
    loaded_ = true;
    Form_Load();
    if (loaded_) controls_->timUpdate.setEnabled(true);
}

void frmSysTray::Unload() {
    if (!loaded_) return;
    Form_Unload();
    controls_->timUpdate.setEnabled(false);
    loaded_ = false;
}

platform::Handle frmSysTray::hWnd() {
    Load();
    return controls_->form.handle();
}

TrayIconOwner frmSysTray::trayIcon() {
    Load();
    return {controls_->picSysTray.handle(), controls_->images, controls_->iconState};
}

TrayMenu& frmSysTray::menu() {
    Load();
    return controls_->menu;
}

void frmSysTray::Form_Load() {
    if (platform::IsPreviousInstanceRunning()) {
        // No owner: the program has no window of its own yet.
        platform::ShowMessageBox(0,
                                 "An instance of " + AppTitle() + " is already running." + "\r\n" +
                                     "Shut it down before attempting to start another instance.",
                                 platform::kMbIconExclamation, AppTitle());
        Unload();
        platform::Quit(0);
        return;
    }

    GetOSVersion();
    gComputerName = GetPCName();
    GetStartTime();  // fixes the start time for every later caller
    const std::optional<std::int32_t> uncopiedSetting = MigrateLegacySettings();

    // The old setting could not be moved; it still holds for this run.
    gHotCornersEnabled =
        uncopiedSetting ? (*uncopiedSetting != 0 ? 1 : 0) : ReadSettingFlag(kHotCornersValue);
    gFullScreenGuard = ReadSettingFlag(kFullScreenGuardValue);

    std::string runData;
    gAutoStartCurrentUser =
        GetRegString(platform::kHKeyCurrentUser, RunKey(), AppTitle(), runData) ? 1 : 0;
    gAutoStartAllUsers =
        GetRegString(platform::kHKeyLocalMachine, RunKey(), AppTitle(), runData) ? 1 : 0;

    AddTrayIcon(
        trayIcon(),
        gHotCornersEnabled == 1 ? TrayImage::imgIcon_none : TrayImage::imgSleeperDisabled_none,
        gComputerName + " " + AppTitle());
    ShowUptime();

    if (IsPopupSwitch(platform::CommandLineArguments())) frmMain::Instance().Show();
}

void frmSysTray::Form_Unload() {
    // The icon goes even if the screen saver cannot be set, and the other way
    // round: this runs on every way out of the program.
    ResumeNext([] { EnableScreenSaver(); });
    ResumeNext([this] { RemoveTrayIcon(trayIcon()); });
}

void UnloadForms() {
    ResumeNext([] {
        if (frmMain::IsLoaded()) frmMain::Instance().Unload();
    });
    ResumeNext([] { frmSysTray::Instance().Unload(); });
}

void frmSysTray::Form_TaskbarCreated() {
    // Explorer creates its taskbar anew after a change of scale too: the icon
    // comes back with images of the new size.
    ResizeTrayImages();
    ReAddTrayIcon(trayIcon());
}

void frmSysTray::Form_DisplayChange() {
    // The icon still exists: the shell is told the new image as any change of
    // image, which leaves an image it refused to be sent again by the tick.
    if (const std::optional<TrayImage> shown = ResizeTrayImages()) {
        UpdateTrayIcon(trayIcon(), *shown);
    }
}

std::optional<TrayImage> frmSysTray::ResizeTrayImages() {
    const TrayIconOwner icon = trayIcon();
    const std::optional<TrayImage> wanted = controls_->images.find(icon.state.wantedImage);
    if (!controls_->images.resize()) return std::nullopt;
    // What the program wants shown, now at the new size, for the icon's next
    // add; the handle the shell shows stays, and now differs from it.
    icon.state.wantedImage = wanted ? controls_->images.handle(*wanted) : 0;
    return wanted;
}

void frmSysTray::ShowUptime() {
    UpdateTrayTip(trayIcon(), gComputerName + " up for " + GetUptimeString());
}

void frmSysTray::timUpdate_Timer() {
    // A tick lets waiting messages run in its middle, and its error box is
    // modal; neither may start another tick inside this one, or the boxes of a
    // recurring error would pile up one per interval.
    if (inTick_) return;
    struct InTick {
        bool& flag;
        explicit InTick(bool& f) : flag(f = true) {}
        InTick(const InTick&) = delete;
        InTick& operator=(const InTick&) = delete;
        ~InTick() { flag = false; }
    } inTick(inTick_);

    IpHelper().Update();
    ShowUptime();
    // A call to the shell, or the screen saver's broadcast, waits on other
    // programs, and messages sent meanwhile are handled: the end of the
    // session may have unloaded the form, and nothing after it may load it
    // again or undo its shutdown steps.
    if (!loaded_) return;
    UpdateSleeper();
    platform::PumpMessages();
    // A menu choice or a click handled just now may have ended the program.
    if (platform::QuitRequested()) return;
    if (TrimCounter == 0) TrimWorkingSet();
    TrimCounter = (TrimCounter + 1) % kTrimEveryTicks;
}

bool IsPopupSwitch(const std::string& arguments) {
    std::string upper = arguments;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "-POPUP";
}
