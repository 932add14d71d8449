// Icon images: a fresh fake handle per loaded icon, none for a resource the
// program lacks.
#include "platform/sim/sim.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace platform {

IconImage::IconImage(int resourceId) {
    sim::detail::World& world = sim::detail::TheWorld();
    if (world.missingIconResources.contains(resourceId)) {
        return;
    }
    handle_ = sim::detail::NewHandle();
    world.icons.insert(handle_);
}

IconImage::~IconImage() {
    sim::detail::TheWorld().icons.erase(handle_);
}

Handle IconImage::handle() const {
    return handle_;
}

}  // namespace platform

namespace sim {

int LiveIconCount() {
    return static_cast<int>(detail::TheWorld().icons.size());
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
