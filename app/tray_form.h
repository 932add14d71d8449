// The hidden tray form: the program's start-up object. It owns the window that
// receives the tray icon's callback, the 400 ms timer and the icon images; its
// load handler is the start-up sequence and its unload handler the shutdown.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/tray/tray_images.h"
#include "platform/platform.h"
#include "platform/widgets.h"

struct TrayMenu;

class frmSysTray {
  public:
    // The one instance, created on first use; creating it neither loads nor
    // shows it.
    static frmSysTray& Instance();
    // Releases the instance and its windows (at the end of the process).
    static void Destroy();

    // Creates the form's windows and runs Form_Load; nothing if loaded.
    void Load();
    // Runs Form_Unload and stops the timer. The windows stay until Destroy,
    // because unloading often starts inside one of their own messages.
    void Unload();
    bool loaded() const { return loaded_; }

    // Each loads the form first when it is not loaded.
    platform::Handle hWnd();
    platform::Handle picSysTrayHWnd();
    platform::Handle imageHandle(TrayImage image);
    TrayMenu& menu();

    void Form_Load();
    void Form_Unload();
    void ShowUptime();
    void timUpdate_Timer();

    // The tray icon's callback: the mouse message that happened over the icon.
    void picSysTray_MouseMove(std::uint32_t mouseMessage);
    void menuRestore_Click();
    void menuHotCorners_Click();
    void menuStartSSaver_Click();
    void menuConfigSSaver_Click();
    void menuExit_Click();

    // Ticks counted modulo 750: the working set is trimmed when it is 0.
    int TrimCounter = 0;

  private:
    frmSysTray() = default;

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
