// The program's one notification-area icon.
#pragma once

#include <string>

#include "app/tray/tray_images.h"
#include "platform/platform.h"

// What the program last asked the icon to show, which an icon added anew
// shows, and what the shell took of it: an empty tip and image 0 where the
// shell refused, so that the next tick sends them again. A tip or image the
// shell refuses to change means it lost the icon, which is added again at once;
// one whose add is refused too counts as lost until an add or a change of the
// tip goes through.
struct TrayIconState {
    bool added = false;  // from AddTrayIcon to RemoveTrayIcon
    bool lost = false;
    std::string wantedTip;
    platform::Handle wantedImage = 0;
    std::string tip;
    platform::Handle image = 0;
    int tipUpdatesSkipped = 0;
};

// Where the icon belongs: the picture box that hears what the mouse does over
// it, the images it may show, and what the shell shows of it.
struct TrayIconOwner {
    platform::Handle window = 0;
    const TrayImages& images;
    TrayIconState& state;
};

// An image that could not be loaded raises RuntimeError "Invalid picture" for
// the caller to report.
//
// A shell that still has the icon refuses to add it (a "TaskbarCreated" without
// a real loss, or an earlier add that timed out but went through); the icon is
// then changed instead, or else removed and added again.
void AddTrayIcon(const TrayIconOwner& owner, TrayImage icon, const std::string& tip);
// Adds the icon again with what the program last asked it to show, after the
// shell created its notification area anew; nothing before the first add or
// after the removal.
void ReAddTrayIcon(const TrayIconOwner& owner);
// The tick asks every 400 ms; an image is sent only when the shell does not
// show it already, and a tip when it differs from the shown one or has not
// been sent for kTipResendTicks updates. A tip the shell refuses to change
// means it lost the icon: the icon is added again with the start-up tip and
// image, and the next ticks put the uptime and the right image back. While the
// shell refuses that too, the icon is lost: nothing is sent but one add every
// kTipResendTicks updates, with the tip and image of the moment, and where it
// is refused a change of the tip, for a shell that kept the icon.
void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip);
void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon);
void RemoveTrayIcon(const TrayIconOwner& owner);

// A refused tip update is how the program finds out, on a shell that does not
// broadcast "TaskbarCreated", that its icon is gone. The uptime changes once a
// second, so its tip goes out that often anyway; a tip that stays the same (a
// failure text) is sent again every fifth tick, two seconds, so that a lost
// icon comes back within two seconds even then, for one call to the shell
// every two seconds.
constexpr int kTipResendTicks = 5;
