// The main window's controls, created in the order the Tab key visits them.
#pragma once

#include "platform/widgets.h"
#include "ui/main_window/frm_main.h"

// The tab control's pages.
constexpr int kStatusPage = 0;
constexpr int kSettingsPage = 1;
constexpr int kAboutPage = 2;

struct frmMain::Controls {
    explicit Controls(frmMain& owner);

    platform::Form form;
    platform::TabStrip SSTab1;
    platform::Button btnOK;
    platform::Button btnCancel;
    platform::Button btnApply;
    platform::Button btnUnload;

    // Status
    platform::Frame Frame4;
    platform::TextField txtUptime;
    platform::TextField txtStartTime;
    platform::Frame Frame1;
    platform::Label Label6;
    platform::TextField txtCpuUsage;
    platform::Label Label7;
    platform::TextField txtMemUsage;

    // Settings
    platform::Frame Frame5;
    platform::Frame Frame6;
    platform::CheckBox chkAutoStartCurr;
    platform::CheckBox chkAutoStartAll;
    platform::Label Label5;
    platform::CheckBox chkHotCorners;
    platform::CheckBox chkFullScreenGuard;
    platform::Label Label3;

    // About
    platform::IconPicture Image;
    platform::Label lblAppName;
    platform::Label lblVersion;
    platform::Label lblCopyright;
    platform::Label lblEmail;
    platform::Label Label9;
    platform::Label lblVisit;
    platform::Label lblWebsite;
    platform::Line Line2;
    platform::Label Label2;
    platform::Line Line1;
    platform::Label lblEEgg;

    // Refreshes the Status tab once a second while the window is loaded.
    platform::Timer Timer1;
};
