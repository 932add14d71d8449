#include "app/tray/sys_tray.h"

#include "common/app_info.h"
#include "common/globals.h"
#include "common/runtime_error.h"

namespace {

constexpr int kErrInvalidPicture = 481;

platform::Handle IconOf(const TrayIconOwner& owner, TrayImage image) {
    const platform::Handle icon = owner.images.handle(image);
    if (icon == 0) throw RuntimeError(kErrInvalidPicture, "Invalid picture");
    return icon;
}

// Adds the icon. A shell that has it already (a "TaskbarCreated" without a
// real loss, or an earlier add that timed out but went through) refuses, and
// the icon is changed instead, or else removed and added again.
bool AddOrReplace(platform::Handle window, platform::Handle image, const std::string& tip) {
    if (platform::TrayAdd(window, image, tip)) return true;
    if (platform::TrayModifyTip(window, tip) && platform::TrayModifyImage(window, image)) {
        return true;
    }
    platform::TrayDelete(window);
    return platform::TrayAdd(window, image, tip);
}

// Records what the shell took of an add: image and tip, or nothing, and then
// the icon counts as lost until an add goes through.
void Added(TrayIconState& state, bool accepted, platform::Handle image, const std::string& tip) {
    state.tipUpdatesSkipped = 0;
    state.lost = !accepted;
    state.tip = accepted ? tip : std::string();
    state.image = accepted ? image : 0;
}

}  // namespace

void AddTrayIcon(const TrayIconOwner& owner, TrayImage icon, const std::string& tip) {
    const platform::Handle image = IconOf(owner, icon);
    TrayIconState& state = owner.state;
    state.added = true;
    state.wantedTip = tip;
    state.wantedImage = image;
    Added(state, AddOrReplace(owner.window, image, tip), image, tip);
}

void ReAddTrayIcon(const TrayIconOwner& owner) {
    TrayIconState& state = owner.state;
    // A broadcast before the first add (while a second instance shows its box)
    // or after the removal has no icon to bring back.
    if (!state.added) return;
    // Copies: the images may be loaded anew while the call waits on the shell.
    const platform::Handle image = state.wantedImage;
    const std::string tip = state.wantedTip;
    Added(state, AddOrReplace(owner.window, image, tip), image, tip);
}

void UpdateTrayTip(const TrayIconOwner& owner, const std::string& tip) {
    TrayIconState& state = owner.state;
    state.wantedTip = tip;
    if (state.lost) {
        // A shell that is gone or hung would hear up to six calls a tick, each
        // of which may block: it hears one add a resend period, and its
        // "TaskbarCreated" brings the icon back at once. A refused add is
        // followed by a change of the tip, for a shell that kept the icon (a
        // call that timed out but went through refuses the add).
        if (++state.tipUpdatesSkipped < kTipResendTicks) return;
        const platform::Handle image = state.wantedImage;
        if (platform::TrayAdd(owner.window, image, tip)) {
            Added(state, true, image, tip);
        } else {
            // Where the change is taken, its image is unknown: the next update
            // sends it.
            Added(state, platform::TrayModifyTip(owner.window, tip), 0, tip);
        }
        return;
    }
    if (tip == state.tip && ++state.tipUpdatesSkipped < kTipResendTicks) return;
    state.tipUpdatesSkipped = 0;
    if (platform::TrayModifyTip(owner.window, tip)) {
        state.tip = tip;
        return;
    }
    // An icon removed meanwhile (the end of the session, handled while the call
    // waited on the shell) must not come back.
    if (!state.added) return;
    // The shell lost the icon. This tip is dropped; the next tick puts the
    // uptime back.
    const std::string startTip = gComputerName + " " + AppTitle();
    const platform::Handle image =
        IconOf(owner, gHotCornersEnabled == 1 ? TrayImage::imgIcon_none
                                              : TrayImage::imgSleeperDisabled_none);
    Added(state, platform::TrayAdd(owner.window, image, startTip), image, startTip);
}

void UpdateTrayIcon(const TrayIconOwner& owner, TrayImage icon) {
    const platform::Handle image = IconOf(owner, icon);
    TrayIconState& state = owner.state;
    state.wantedImage = image;
    // A lost icon gets its image with the next add.
    if (state.lost || image == state.image) return;
    if (platform::TrayModifyImage(owner.window, image)) {
        state.image = image;
        return;
    }
    if (!state.added) return;
    // The shell lost the icon, as a refused tip tells too: it is added again
    // at once, and where that is refused as well the icon counts as lost, so
    // that the shell hears one request a resend period, not one a tick.
    const std::string tip = state.wantedTip;
    Added(state, platform::TrayAdd(owner.window, image, tip), image, tip);
}

void RemoveTrayIcon(const TrayIconOwner& owner) {
    platform::TrayDelete(owner.window);
    owner.state = {};
}
