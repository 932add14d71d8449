// The totals of the simulated network interfaces.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::NetworkState& Network() {
    return sim::detail::TheWorld().network;
}

}  // namespace

namespace platform {

std::optional<InterfaceTotals> ReadInterfaceTotals() {
    ++Network().reads;
    return Network().totals;
}

}  // namespace platform

namespace sim {

void SetInterfaceTotals(std::optional<platform::InterfaceTotals> totals) {
    Network().totals = totals;
}

int InterfaceTableReads() {
    return Network().reads;
}

}  // namespace sim
