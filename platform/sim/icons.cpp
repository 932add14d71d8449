// Icon images: a fresh fake handle per loaded icon.
#include "platform/sim/sim.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace platform {

IconImage::IconImage(int /*resourceId*/) : handle_(sim::detail::NewHandle()) {
    sim::detail::TheWorld().icons.insert(handle_);
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

}  // namespace sim
