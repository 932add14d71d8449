// The notification area and its one icon of the program.
#include <algorithm>
#include <utility>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::TrayState& Tray() {
    return sim::detail::TheWorld().tray;
}

std::vector<sim::TrayIcon>::iterator FindIcon(platform::Handle window) {
    std::vector<sim::TrayIcon>& icons = Tray().icons;
    return std::find_if(icons.begin(), icons.end(),
                        [&](const sim::TrayIcon& icon) { return icon.window == window; });
}

// The shell's answer to one request: it adds an icon it does not know yet and
// changes or removes only one it knows.
bool Request(sim::NotifyCall call) {
    sim::detail::TrayState& tray = Tray();
    if (const std::function<void()> action = std::exchange(tray.duringNextCall, nullptr)) {
        action();
    }
    const auto existing = FindIcon(call.window);
    const bool known = existing != tray.icons.end();
    call.accepted = !tray.refused.contains(call.op) && (call.op == sim::TrayOp::Add) != known;
    if (call.accepted) {
        switch (call.op) {
            case sim::TrayOp::Add:
                tray.icons.push_back({call.window, call.image, call.tip});
                break;
            case sim::TrayOp::ModifyTip:
                existing->tip = call.tip;
                break;
            case sim::TrayOp::ModifyImage:
                existing->image = call.image;
                break;
            case sim::TrayOp::Delete:
                tray.icons.erase(existing);
                break;
        }
    }
    tray.calls.push_back(call);
    return call.accepted;
}

}  // namespace

namespace platform {

bool TrayAdd(Handle window, Handle image, const std::string& tip) {
    return Request({sim::TrayOp::Add, window, image, tip});
}

bool TrayModifyTip(Handle window, const std::string& tip) {
    return Request({sim::TrayOp::ModifyTip, window, 0, tip});
}

bool TrayModifyImage(Handle window, Handle image) {
    return Request({sim::TrayOp::ModifyImage, window, image, {}});
}

bool TrayDelete(Handle window) {
    return Request({sim::TrayOp::Delete, window, 0, {}});
}

}  // namespace platform

namespace sim {

const std::vector<NotifyCall>& NotifyCalls() {
    return Tray().calls;
}

void SetTrayRefuses(bool refuses) {
    for (const TrayOp op : {TrayOp::Add, TrayOp::ModifyTip, TrayOp::ModifyImage, TrayOp::Delete}) {
        SetTrayRefuses(op, refuses);
    }
}

void SetTrayRefuses(TrayOp op, bool refuses) {
    if (refuses) {
        Tray().refused.insert(op);
    } else {
        Tray().refused.erase(op);
    }
}

void DuringNextNotifyIcon(std::function<void()> action) {
    Tray().duringNextCall = std::move(action);
}

void RecreateTray() {
    Tray().icons.clear();
}

std::vector<TrayIcon> TrayIcons() {
    return Tray().icons;
}

}  // namespace sim
