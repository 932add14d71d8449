// The program's one notification-area icon.
#pragma once

#include <string>

#include "app/tray/tray_images.h"
#include "platform/platform.h"

// Where the icon belongs: the picture box that hears what the mouse does over
// it, and the images it may show.
struct TrayIconOwner {
    platform::Handle window = 0;
    const TrayImages& images;
};

// An image that could not be loaded raises RuntimeError "Invalid picture" for
// the caller to report.
void AddTrayIcon(const TrayIconOwner& owner, TrayImage icon, const std::string& tip);
// Re-adds the icon (with the start-up tip) when the shell no longer knows it.
void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip);
void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon);
void RemoveTrayIcon(const TrayIconOwner& owner);
