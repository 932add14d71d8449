// The main window: Status, Settings and About tabs above four buttons.
//
// The object lives from its first use to the end of the process; its windows
// exist only while it is loaded. Closing the window unloads it, and the next
// opening loads the same object again, so the greeting's toggle survives while
// the CPU sampler and the settings boxes start afresh.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "monitors/cpu_load.h"
#include "platform/platform.h"
#include "platform/widgets.h"

class frmMain {
  public:
    struct Controls;

    // The one instance, created on first use; creating it neither loads nor
    // shows it.
    static frmMain& Instance();
    // Whether the instance exists and is loaded, without creating it.
    static bool IsLoaded();
    // Releases the instance (at the end of the process).
    static void Destroy();
    // How the Unload button unloads the tray form before the window: set by the
    // tray form, which the window knows of only through this.
    static std::function<void()>& UnloadTrayForm();
    // What Apply does after it switched hot corners on or off: set by the tray
    // form, which ends a hold of the corner when they go off.
    static std::function<void()>& HotCornersSwitched();

    // Creates the window and its controls and runs Form_Load; nothing if loaded.
    void Load();
    // Runs Form_Unload and destroys the window and its controls.
    void Unload();
    bool loaded() const { return controls_ != nullptr; }

    // Loads the window if needed and shows it without making it modal.
    void Show();
    // Each loads the window first when it is not loaded.
    platform::Handle hWnd();
    platform::WindowState WindowState();
    void SetWindowState(platform::WindowState state);

    // The window's controls while it is loaded.
    Controls& controls() { return *controls_; }

    // Life cycle and the Status tab.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    // The window's screen changed scale: the links follow the texts before
    // them, which the new font made wider or narrower.
    void Form_DpiChanged();
    void Form_Unload();
    void Timer1_Timer();
    void ShowInfo();

    // The Settings tab and the buttons.
    void ShowCurrentSettings();
    // Shows a hot-corner state changed elsewhere (the tray menu) in the box,
    // if the window is loaded.
    void ShowHotCornersEnabled(std::uint8_t enabled);
    void chkAutoStartCurr_Click();
    void chkAutoStartAll_Click();
    // Puts both auto-start boxes back to what is stored.
    void ShowStoredAutoStart();
    void btnApply_Click();
    void btnOK_Click();
    void btnCancel_Click();
    void btnUnload_Click();

    // The About tab.
    void lblWebsite_Click();
    void lblEmail_Click();
    void Image_MouseDown(int button, int shift);
    void ExecuteLink(const std::string& link);

    std::unique_ptr<CPULoad> mCPULoad;
    std::string mVersionText;
    bool GreetingShown = false;
    // This user may not change the all-users Run value (found when the window
    // loads): its box is greyed and left alone by the other one.
    bool AllUsersLocked = false;

  private:
    frmMain() = default;

    void SetAboutTexts();
    // Each link a gap after the text it follows on its line.
    void PlaceLinks();

    std::unique_ptr<Controls> controls_;
};

// The Run value's data: the running program's full path, in double quotes when
// it contains a space; of the path in the ANSI code page and in UTF-16.
std::string RunValueData(const std::string& executablePath);
std::u16string RunValueData(const std::u16string& executablePath);
