// The main window's life cycle and its Status tab.
#include "ui/main_window/frm_main.h"

#include "common/app_info.h"
#include "common/globals.h"
#include "common/resume_next.h"
#include "monitors/mem_stats.h"
#include "platform/housekeeping.h"
#include "ui/main_window/main_window_controls.h"
#include "uptime/uptime.h"

namespace {

std::unique_ptr<frmMain>& TheInstance() {
    static std::unique_ptr<frmMain> instance;
    return instance;
}

}  // namespace

frmMain& frmMain::Instance() {
    auto& instance = TheInstance();
    if (!instance) instance.reset(new frmMain());
    return *instance;
}

bool frmMain::IsLoaded() {
    return TheInstance() && TheInstance()->loaded();
}

void frmMain::Destroy() {
    TheInstance().reset();
}

std::function<void()>& frmMain::HotCornersSwitched() {
    static std::function<void()> switched;
    return switched;
}

std::function<void()>& frmMain::UnloadTrayForm() {
    static std::function<void()> unload;
    return unload;
}

void frmMain::Load() {
    if (loaded()) return;
    controls_ = std::make_unique<Controls>(*this);
    Form_Load();
}

void frmMain::Unload() {
    if (!loaded()) return;
    Form_Unload();
    // Often called from a handler of the window's own controls; the widgets
    // run nothing of theirs after a handler returns, so they may go now.
    controls_.reset();
}

void frmMain::Show() {
    Load();
    platform::Form& form = controls_->form;
    if (form.visible()) {
        form.show();
        return;
    }
    form.show();
    Form_Activate();
}

platform::Handle frmMain::hWnd() {
    Load();
    return controls_->form.handle();
}

platform::WindowState frmMain::WindowState() {
    Load();
    return controls_->form.windowState();
}

void frmMain::SetWindowState(platform::WindowState state) {
    Load();
    controls_->form.setWindowState(state);
}

void frmMain::Form_Load() {
    Controls& c = *controls_;
    ResumeNext([] { InitVisualStyles(); });
    ResumeNext([&] { c.form.setCaption(AppTitle()); });
    ResumeNext([&] { c.form.setWindowState(platform::WindowState::Normal); });
    for (platform::TextField* field :
         {&c.txtUptime, &c.txtStartTime, &c.txtCpuUsage, &c.txtMemUsage}) {
        ResumeNext([field] { field->setButtonFaceBackground(); });
    }
    SetAboutTexts();
    ResumeNext([&] { mCPULoad = std::make_unique<CPULoad>(); });
    ResumeNext([&] { ShowInfo(); });
    ResumeNext([&] { ShowCurrentSettings(); });
    // A window is centred each time it is loaded; a hidden one that is shown
    // again keeps its place.
    ResumeNext([&] { c.form.centre(); });
}

void frmMain::Form_Activate() {
    if (loaded()) controls_->lblEEgg.setText("");
}

void frmMain::Form_Resize() {
    platform::Form& form = controls_->form;
    if (form.windowState() == platform::WindowState::Minimized) {
        // Minimising sends the window back to the tray: it leaves the screen
        // but stays loaded, and comes back at its normal size.
        form.hide();
        form.setWindowState(platform::WindowState::Normal);
    }
    TrimWorkingSet();
}

void frmMain::Form_DpiChanged() {
    PlaceLinks();
}

void frmMain::Form_Unload() {
    mCPULoad.reset();
}

void frmMain::Timer1_Timer() {
    ShowInfo();
}

void frmMain::ShowInfo() {
    Controls& c = *controls_;
    ResumeNext(
        [&] { c.txtUptime.setText(gComputerName + " has been up for " + GetUptimeString()); });
    ResumeNext([&] { c.txtStartTime.setText("up since " + GetStartTime()); });
    ResumeNext([&] { c.txtMemUsage.setText(GetMemoryUsage()); });
    // Without a sampler (its creation failed) the field keeps its text.
    ResumeNext([&] {
        if (mCPULoad) c.txtCpuUsage.setText(mCPULoad->CPUString());
    });
}
