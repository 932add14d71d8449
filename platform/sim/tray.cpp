// Shell_NotifyIconA and the notification area it talks to.
#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::TrayState& Tray() {
    return sim::detail::TheWorld().tray;
}

std::vector<sim::TrayIcon>::iterator FindIcon(const platform::NotifyIconData& data) {
    std::vector<sim::TrayIcon>& icons = Tray().icons;
    return std::find_if(icons.begin(), icons.end(), [&](const sim::TrayIcon& icon) {
        return icon.hWnd == data.hWnd && icon.uID == data.uID;
    });
}

// NIM_ADD and NIM_MODIFY take only the fields that uFlags names.
void ApplyFields(const platform::NotifyIconData& data, sim::TrayIcon& icon) {
    if (data.uFlags & platform::kNifMessage) {
        icon.callbackMessage = data.uCallbackMessage;
    }
    if (data.uFlags & platform::kNifIcon) {
        icon.hIcon = data.hIcon;
    }
    if (data.uFlags & platform::kNifTip) {
        const char* end = std::find(std::begin(data.szTip), std::end(data.szTip), '\0');
        icon.tip.assign(std::begin(data.szTip), end);
    }
}

bool Apply(std::uint32_t message, const platform::NotifyIconData& data) {
    std::vector<sim::TrayIcon>& icons = Tray().icons;
    auto existing = FindIcon(data);
    switch (message) {
        case platform::kNimAdd: {
            if (existing != icons.end()) {
                return false;
            }
            sim::TrayIcon icon;
            icon.hWnd = data.hWnd;
            icon.uID = data.uID;
            ApplyFields(data, icon);
            icons.push_back(icon);
            return true;
        }
        case platform::kNimModify:
            if (existing == icons.end()) {
                return false;
            }
            ApplyFields(data, *existing);
            return true;
        case platform::kNimDelete:
            if (existing == icons.end()) {
                return false;
            }
            icons.erase(existing);
            return true;
        default:
            return false;
    }
}

}  // namespace

namespace platform {

int NotifyIcon(std::uint32_t message, const NotifyIconData& data) {
    if (const std::exception_ptr error = std::exchange(Tray().nextCallThrows, nullptr)) {
        std::rethrow_exception(error);
    }
    const int result = !Tray().refuses && Apply(message, data) ? 1 : 0;
    Tray().calls.push_back({message, data, result});
    return result;
}

}  // namespace platform

namespace sim {

const std::vector<NotifyCall>& NotifyCalls() {
    return Tray().calls;
}

void SetTrayRefuses(bool refuses) {
    Tray().refuses = refuses;
}

void ThrowFromNextNotifyIcon(std::exception_ptr error) {
    Tray().nextCallThrows = std::move(error);
}

void RecreateTray() {
    Tray().icons.clear();
}

std::vector<TrayIcon> TrayIcons() {
    return Tray().icons;
}

}  // namespace sim
