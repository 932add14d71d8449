// The hidden tray form: the program's start-up object. It owns the window that
// receives the tray icon's callback, the 400 ms timer and the icon images; its
// load handler is the start-up sequence and its unload handler the shutdown.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/tray/sys_tray.h"
#include "app/tray/tray_images.h"
#include "platform/platform.h"
#include "platform/widgets.h"

class CIpHelper;
struct TrayMenu;

// The network activity counter of the tick: created by the first tick that
// uses it and kept until the process ends (frmSysTray::Destroy).
extern std::unique_ptr<CIpHelper> gIpHelper;
CIpHelper& IpHelper();

class frmSysTray {
  public:
    // The one instance, created on first use; creating it neither loads nor
    // shows it.
    static frmSysTray& Instance();
    // Releases the instance and its windows, and the tick's network counter
    // (at the end of the process).
    static void Destroy();

    // Creates the form's windows and runs Form_Load; nothing if loaded.
    void Load();
    // Runs Form_Unload and stops the timer. The windows stay until Destroy,
    // because unloading often starts inside one of their own messages.
    void Unload();
    bool loaded() const { return loaded_; }

    // Each loads the form first when it is not loaded.
    platform::Handle hWnd();
    // The icon's owner: the picture box and the images.
    TrayIconOwner trayIcon();
    TrayMenu& menu();

    void Form_Load();
    void Form_Unload();
    // The shell's notification area was created anew, without the icon.
    void Form_TaskbarCreated();
    // The screens' scale or the display changed: the icon follows the size the
    // notification area shows icons at now.
    void Form_DisplayChange();
    void ShowUptime();
    void timUpdate_Timer();

    // What the mouse did over the tray icon.
    void picSysTray_MouseMove(platform::TrayMouseEvent event);
    void menuRestore_Click();
    void menuHotCorners_Click();
    void menuStartSSaver_Click();
    void menuConfigSSaver_Click();
    void menuExit_Click();

    // Ticks counted modulo 750: the working set is trimmed when it is 0.
    int TrimCounter = 0;

  private:
    frmSysTray() = default;

    // Loads the images anew when the notification area's icon size changed,
    // and returns the image the icon is to show, at the new size; nullopt when
    // the size is the same or the icon is to show none.
    std::optional<TrayImage> ResizeTrayImages();

    struct Controls;
    std::unique_ptr<Controls> controls_;
    bool loaded_ = false;
    bool inTick_ = false;
};

// The shutdown steps of every way out of the program: unloads the main window,
// then the tray form (the screen saver is set active and the icon removed).
// Each runs even when the one before it fails; a form that is not loaded is
// passed over.
void UnloadForms();

// True when the argument string is exactly "-POPUP", in any letter case.
bool IsPopupSwitch(const std::string& arguments);
