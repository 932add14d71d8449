// The page-file figures and the locale's thousands separator.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::MemoryState& Memory() {
    return sim::detail::TheWorld().memory;
}

}  // namespace

namespace platform {

std::optional<PageFile<std::uint64_t>> QueryPageFile64() {
    return Memory().pageFile64;
}

PageFile<std::uint32_t> QueryPageFile32() {
    return Memory().pageFile32;
}

std::string ThousandsSeparator() {
    return Memory().thousandsSeparator;
}

}  // namespace platform

namespace sim {

void SetPageFile64(std::optional<platform::PageFile<std::uint64_t>> figures) {
    Memory().pageFile64 = figures;
}

void SetPageFile32(platform::PageFile<std::uint32_t> figures) {
    Memory().pageFile32 = figures;
}

void SetThousandsSeparator(const std::string& separator) {
    Memory().thousandsSeparator = separator;
}

}  // namespace sim
