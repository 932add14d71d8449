// The performance data of NT, the dynamic statistics of 9x, the processor
// count and the conversion of a SYSTEMTIME into a FILETIME.
//
// HKEY_PERFORMANCE_DATA serves the block a test set for the Processor object
// ("238") and nothing else. HKEY_DYN_DATA has the three keys of the 9x CPU
// statistic when a test says so; like on 9x, reading the value
// "KERNEL\CPUUsage" of StartStat starts the statistic, of StatData reads it,
// of StopStat stops it. A simulated NT has none of them.
#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/platform.h"
#include "platform/sim/performance_internal.h"
#include "platform/sim/registry_tree.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

using platform::Handle;
using platform::Status;

constexpr Status kErrorInvalidParameter = 87;

const std::string kProcessorObject = "238";
const std::string kStatisticsKeys[] = {"StartStat", "StatData", "StopStat"};
const std::string kStatisticsPath = "perfstats\\";      // folded
const std::string kCPUUsageValue = "kernel\\cpuusage";  // folded

sim::detail::PerformanceState& Performance() {
    return sim::detail::TheWorld().performance;
}

bool StatisticsKeyExists(const std::string& name) {
    const sim::detail::PerformanceState& state = Performance();
    if (name == "StartStat") return state.startStat;
    if (name == "StatData") return state.statData;
    return state.stopStat;
}

// The key name ("StartStat", ...) a path below HKEY_DYN_DATA names, or "" for
// any other path.
std::string StatisticsKeyName(const std::string& subKey) {
    const std::string folded = sim::detail::FoldCase(subKey);
    for (const std::string& name : kStatisticsKeys) {
        if (folded == kStatisticsPath + sim::detail::FoldCase(name)) return name;
    }
    return {};
}

Status OpenStatisticsKey(const std::string& subKey, Handle* key) {
    *key = 0;
    const std::string name = StatisticsKeyName(subKey);
    if (name.empty()) return platform::kErrorFileNotFound;
    sim::detail::PerformanceState& state = Performance();
    if (!StatisticsKeyExists(name)) {
        state.dynDataLog.push_back("open " + name + " failed");
        return platform::kErrorFileNotFound;
    }
    state.dynDataLog.push_back("open " + name);
    *key = sim::detail::NewHandle();
    state.openDynDataKeys.emplace(*key, name);
    return platform::kErrorSuccess;
}

// RegQueryValueExA's answer for a value of the given bytes: the size alone
// without a buffer, ERROR_MORE_DATA and the needed size for a buffer too small
// (which stays untouched), the data otherwise.
Status Serve(const std::vector<std::uint8_t>& value, std::uint32_t valueType, std::uint32_t* type,
             std::uint8_t* data, std::uint32_t* size) {
    const auto length = static_cast<std::uint32_t>(value.size());
    if (type != nullptr) *type = valueType;
    Status status = platform::kErrorSuccess;
    if (data != nullptr) {
        if (length > *size) {
            status = platform::kErrorMoreData;
        } else {
            std::copy(value.begin(), value.end(), data);
        }
    }
    if (size != nullptr) *size = length;
    return status;
}

Status QueryPerformanceData(const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) {
    sim::detail::PerformanceState& state = Performance();
    state.querySizes.push_back(size != nullptr ? *size : 0);
    if (valueName != kProcessorObject || !state.block) return platform::kErrorFileNotFound;
    return Serve(*state.block, platform::kRegBinary, type, data, size);
}

Status QueryStatisticsKey(const std::string& name, const std::string& valueName,
                          std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
    sim::detail::PerformanceState& state = Performance();
    state.dynDataLog.push_back("query " + name);
    if (sim::detail::FoldCase(valueName) != kCPUUsageValue) return platform::kErrorFileNotFound;
    std::vector<std::uint8_t> value(sizeof state.usage9x);
    std::memcpy(value.data(), &state.usage9x, sizeof state.usage9x);
    // The dynamic statistics are binary values.
    return Serve(value, platform::kRegBinary, type, data, size);
}

}  // namespace

namespace sim::detail {

std::optional<Status> QueryDynamicKey(Handle key, const std::string& valueName, std::uint32_t* type,
                                      std::uint8_t* data, std::uint32_t* size) {
    if (key == platform::RootKey(platform::kHKeyPerformanceData)) {
        return QueryPerformanceData(valueName, type, data, size);
    }
    const auto it = Performance().openDynDataKeys.find(key);
    if (it == Performance().openDynDataKeys.end()) return std::nullopt;
    return QueryStatisticsKey(it->second, valueName, type, data, size);
}

std::optional<Status> CloseDynamicKey(Handle key) {
    if (key == platform::RootKey(platform::kHKeyPerformanceData)) {
        ++Performance().closes;
        return platform::kErrorSuccess;
    }
    if (key == platform::RootKey(platform::kHKeyDynData)) return platform::kErrorSuccess;
    sim::detail::PerformanceState& state = Performance();
    const auto it = state.openDynDataKeys.find(key);
    if (it == state.openDynDataKeys.end()) return std::nullopt;
    state.dynDataLog.push_back("close " + it->second);
    state.openDynDataKeys.erase(it);
    return platform::kErrorSuccess;
}

}  // namespace sim::detail

namespace platform {

// Below a root whose writes are denied (RegDenyWrites), a key opens for
// reading only, as for a user without write access there.
Status RegOpenWithAccess(Handle root, const std::string& subKey, std::uint32_t access,
                         Handle* key) {
    if (key == nullptr) return kErrorInvalidParameter;
    if (root == RootKey(kHKeyDynData)) return OpenStatisticsKey(subKey, key);
    const Status status = RegOpen(root, subKey, key);
    if (status == kErrorSuccess && (access & ~kKeyRead) != 0 &&
        sim::detail::KeyDeniesWrites(*key)) {
        RegClose(*key);
        *key = 0;
        return kErrorAccessDenied;
    }
    return status;
}

std::uint32_t ProcessorCount() {
    return Performance().processorCount;
}

bool FileTimeFromSystemTime(const SystemTime& time, std::int64_t* fileTime) {
    using namespace std::chrono;
    // Windows ignores the day of the week and refuses any other field out of
    // range, from 1601, the start of its time scale, to 30827.
    const year_month_day date{year{time.year}, month{time.month}, day{time.day}};
    if (time.year < 1601 || time.year > 30827 || !date.ok() || time.hour > 23 || time.minute > 59 ||
        time.second > 59 || time.milliseconds > 999) {
        return false;
    }
    using Ticks = duration<std::int64_t, std::ratio<1, 10'000'000>>;  // 100 ns
    const auto sinceEpoch = sys_days{date} - sys_days{year{1601} / January / 1} + hours{time.hour} +
                            minutes{time.minute} + seconds{time.second} +
                            milliseconds{time.milliseconds};
    *fileTime = duration_cast<Ticks>(sinceEpoch).count();
    return true;
}

}  // namespace platform

namespace sim {

void SetPerformanceData(std::optional<std::vector<std::uint8_t>> block) {
    Performance().block = std::move(block);
}

const std::vector<std::uint32_t>& PerformanceDataQuerySizes() {
    return Performance().querySizes;
}

int PerformanceDataCloses() {
    return Performance().closes;
}

void SetDynDataKeys(bool startStat, bool statData, bool stopStat) {
    detail::PerformanceState& state = Performance();
    state.startStat = startStat;
    state.statData = statData;
    state.stopStat = stopStat;
}

void SetDynDataUsage(std::uint32_t percent) {
    Performance().usage9x = percent;
}

const std::vector<std::string>& DynDataLog() {
    return Performance().dynDataLog;
}

void SetProcessorCount(std::uint32_t count) {
    Performance().processorCount = count;
}

}  // namespace sim
