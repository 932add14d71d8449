// The System log's start records, served newest first like a reverse query.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::EventLogState& Log() {
    return sim::detail::TheWorld().eventLog;
}

}  // namespace

namespace platform {

void VisitBootRecords(int most, const std::function<bool(const std::u16string& xml)>& visit) {
    if (!Log().bootRecords) return;
    // A copy: what the visitor does cannot change the records being walked.
    const std::vector<std::u16string> records = *Log().bootRecords;
    int handed = 0;
    for (auto record = records.rbegin(); record != records.rend() && handed < most; ++record) {
        ++handed;
        ++Log().recordsRead;
        if (!visit(*record)) return;
    }
}

}  // namespace platform

namespace sim {

void SetBootRecords(std::optional<std::vector<std::u16string>> oldestFirst) {
    Log().bootRecords = std::move(oldestFirst);
}

int BootRecordsRead() {
    return Log().recordsRead;
}

}  // namespace sim
