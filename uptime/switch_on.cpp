#include "uptime/switch_on.h"

#include "platform/platform.h"
#include "uptime/boot_record.h"

namespace {

// Hibernating several times a day for days on end is rare; beyond this many
// resumes the counters' own figure stands.
constexpr int kMostRecords = 8;

}  // namespace

std::optional<std::int64_t> HybridSwitchOnTime() {
    // Windows writes the start records from 8 (6.2) on. Vista and 7 have the
    // event log's functions but no such record, and the query would search
    // their whole System log, at every start, for nothing.
    platform::OsVersion version;
    if (!platform::QueryOsVersion(&version) ||
        version.platformId != platform::kVerPlatformWin32Nt || version.majorVersion < 6 ||
        (version.majorVersion == 6 && version.minorVersion < 2)) {
        return std::nullopt;
    }
    std::optional<BootRecord> switchOn;
    platform::VisitBootRecords(kMostRecords, [&switchOn](const std::u16string& xml) {
        const std::optional<BootRecord> record = ReadBootRecord(xml);
        if (!record) return false;
        if (record->bootType == kBootFromHibernation) return true;
        if (record->bootType == kBootAfterFullShutdown ||
            record->bootType == kBootAfterHybridShutdown) {
            switchOn = record;
        }
        // A kind Windows did not document when this was written may be
        // anything, and so ends the search like a damaged record.
        return false;
    });
    if (!switchOn || switchOn->bootType != kBootAfterHybridShutdown) return std::nullopt;
    return switchOn->time;
}
