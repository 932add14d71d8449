// The program's one notification-area icon.
#pragma once

#include <string>

#include "app/tray/tray_images.h"
#include "platform/platform.h"

// What the shell was last told the icon shows.
struct TrayIconShown {
    std::string tip;
    platform::Handle image = 0;
};

// Where the icon belongs: the picture box that hears what the mouse does over
// it, the images it may show, and what the shell shows of it.
struct TrayIconOwner {
    platform::Handle window = 0;
    const TrayImages& images;
    TrayIconShown& shown;
};

// An image that could not be loaded raises RuntimeError "Invalid picture" for
// the caller to report.
void AddTrayIcon(const TrayIconOwner& owner, TrayImage icon, const std::string& tip);
// The tip and the image are sent only when they differ from what the shell
// shows already: the tick asks every 400 ms, the uptime text changes once a
// second, and the image mostly not at all. A tip the shell refuses to change
// means it lost the icon (its notification area was re-created): the icon is
// added again with the start-up tip and image, and the next ticks put the
// uptime and the right image back.
void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip);
void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon);
void RemoveTrayIcon(const TrayIconOwner& owner);
