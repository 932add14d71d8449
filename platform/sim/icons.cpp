// Icon images: a fresh fake handle per loaded icon, none for a resource the
// program lacks.
#include "platform/sim/sim.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace platform {

IconImage::IconImage(int resourceId, int sizePx) {
    sim::detail::World& world = sim::detail::TheWorld();
    if (world.missingIconResources.contains(resourceId)) {
        return;
    }
    handle_ = sim::detail::NewHandle();
    world.icons.emplace(handle_, sizePx);
}

IconImage::~IconImage() {
    sim::detail::TheWorld().icons.erase(handle_);
}

Handle IconImage::handle() const {
    return handle_;
}

int TrayIconSize() {
    // GetSystemMetricsForDpi(SM_CXSMICON): 16 pixels at 96 DPI.
    constexpr int kSmallIconAt96Dpi = 16;
    return (kSmallIconAt96Dpi * sim::detail::TheWorld().screen.taskbarDpi + 48) / 96;
}

}  // namespace platform

namespace sim {

int LiveIconCount() {
    return static_cast<int>(detail::TheWorld().icons.size());
}

int IconSize(platform::Handle icon) {
    const auto& icons = detail::TheWorld().icons;
    const auto it = icons.find(icon);
    return it != icons.end() ? it->second : 0;
}

void SetTaskbarDpi(int dpi) {
    detail::TheWorld().screen.taskbarDpi = dpi;
}

void SetIconResourceMissing(int resourceId, bool missing) {
    std::set<int>& missingIds = detail::TheWorld().missingIconResources;
    if (missing) {
        missingIds.insert(resourceId);
    } else {
        missingIds.erase(resourceId);
    }
}

}  // namespace sim
