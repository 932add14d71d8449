#include "monitors/cpu_load.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/digits.h"
#include "common/rounding.h"
#include "common/runtime_error.h"
#include "monitors/cpu_load_error.h"
#include "monitors/perf_data_walker.h"

namespace {

constexpr std::int32_t kBufferGrowth = 4096;
const std::string kProcessorObject = "238";

const std::string kStartStat = "PerfStats\\StartStat";
const std::string kStatData = "PerfStats\\StatData";
const std::string kStopStat = "PerfStats\\StopStat";
const std::string kCPUUsageValue = "KERNEL\\CPUUsage";

std::int64_t Difference(std::int64_t later, std::int64_t earlier) {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(later, earlier, &difference)) throw OverflowError();
    return difference;
}

// The pattern "0#": at least two digits. A negative usage only means the idle
// counter ran a little ahead of the time stamp, that is an idle processor, so
// it reads as 0 rather than as a minus sign the field has no room for.
// Opens a key of the 9x dynamic statistics.
bool OpenStatKey(const std::string& path, std::uint32_t access, platform::UniqueRegKey& key) {
    return platform::RegOpenWithAccess(platform::RootKey(platform::kHKeyDynData), path, access,
                                       key.receive()) == platform::kErrorSuccess;
}

// Queries "KERNEL\CPUUsage" of key into usage; what the query does depends on
// the key: it starts the statistic, reads it or stops it. Its result is not
// reported: a failed query leaves usage as it was.
void QueryUsage(const platform::UniqueRegKey& key, std::int32_t* usage) {
    std::uint8_t value[sizeof(std::int32_t)];
    std::memcpy(value, usage, sizeof value);
    std::uint32_t type = platform::kRegDword;
    std::uint32_t size = sizeof value;
    platform::RegQuery(key.get(), kCPUUsageValue, &type, value, &size);
    std::memcpy(usage, value, sizeof value);
}

std::string FormatUsage(std::int32_t usage) {
    return AtLeastTwoDigits(std::max(usage, 0));
}

}  // namespace

CPULoad::CPULoad() {
    platform::OsVersion version;
    if (!platform::QueryOsVersion(&version)) {
        throw CPULoadError(CPULoadFailure::kNoWindowsVersion);
    }
    mIsWinNT = version.platformId >= platform::kVerPlatformWin32Nt;
}

CPULoad::~CPULoad() {
    StopPerfStats();
    // Querying the performance data loads the counter providers of the system
    // into the process, and they stay until the key is closed.
    if (mQueriedPerformanceData) {
        platform::RegClose(platform::RootKey(platform::kHKeyPerformanceData));
    }
}

std::string CPULoad::CPUString() {
    try {
        CollectCPUData();
        const std::int32_t count = GetCPUCount();
        std::string text;
        for (std::int32_t cpu = 1; cpu <= count; ++cpu) {
            const std::int32_t usage = GetCPUUsage(cpu);
            if (!text.empty()) text += ' ';
            text += mIsWinNT && !HasPreviousSample() ? "--" : FormatUsage(usage);
            if (count == 1) text += ' ';
            text += '%';
        }
        return text;
    } catch (const std::exception&) {
        // Every failure, the class's own errors, run-time errors on corrupt
        // data and a failed allocation alike, shows as the one failure text.
        return "CPU query failed";
    }
}

void CPULoad::CollectCPUData() {
    if (mIsWinNT) {
        CollectNtData();
    } else {
        Collect9xData();
    }
}

void CPULoad::CollectNtData() {
    // The query overwrites the size it is given with the length of the data,
    // so the buffer's own size is kept apart and is what carries over to the
    // next call. The length Windows reports with ERROR_MORE_DATA is not
    // reliable for performance data, hence the fixed steps.
    const platform::Handle performanceData = platform::RootKey(platform::kHKeyPerformanceData);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(mBufferSize), 0);
    mQueriedPerformanceData = true;
    auto length = static_cast<std::uint32_t>(mBufferSize);
    platform::Status status =
        platform::RegQuery(performanceData, kProcessorObject, nullptr, buffer.data(), &length);
    while (status == platform::kErrorMoreData) {
        std::int32_t grown = 0;
        if (__builtin_add_overflow(mBufferSize, kBufferGrowth, &grown)) throw OverflowError();
        buffer.assign(static_cast<std::size_t>(grown), 0);
        mBufferSize = grown;
        length = static_cast<std::uint32_t>(grown);
        status =
            platform::RegQuery(performanceData, kProcessorObject, nullptr, buffer.data(), &length);
    }

    // Only the bytes the query says it returned are read; after a failed query
    // there are none, and the missing signature raises 8006.
    const std::size_t returned =
        status == platform::kErrorSuccess ? std::min<std::size_t>(length, buffer.size()) : 0;
    const ProcessorObject object = LocateProcessorObject(buffer.data(), returned);
    if (mCPUCount < 1) GetCPUCount();
    const std::vector<ProcessorCounter> counters =
        ReadProcessorCounters(buffer.data(), returned, object);
    if (mSampleTime == 0) CountInstances(counters);

    for (const ProcessorCounter& counter : counters) {
        // An instance the system did not count among its processors.
        if (counter.instance >= mCPUCount) throw SubscriptOutOfRangeError();
        const auto n = static_cast<std::size_t>(counter.instance);
        mPrevCounters[n] = mCounters[n];
        mCounters[n] = counter.idleTime;
    }

    std::int64_t sampleTime = 0;
    if (!platform::FileTimeFromSystemTime(object.systemTime, &sampleTime)) {
        throw CorruptPerfDataError("the data block's time stamp is not a valid time");
    }
    mPrevSampleTime = mSampleTime;
    mSampleTime = sampleTime;
}

void CPULoad::Collect9xData() {
    if (!mStatStarted) {
        {
            // Reading the value of StartStat is what starts the statistic.
            platform::UniqueRegKey startStat;
            if (!OpenStatKey(kStartStat, platform::kKeyAllAccess, startStat)) {
                throw CPULoadError(CPULoadFailure::kCannotStartStatistic);
            }
            QueryUsage(startStat, &mUsage9x);
        }
        if (!OpenStatKey(kStatData, platform::kKeyRead, mStatDataKey)) {
            throw CPULoadError(CPULoadFailure::kUnreadableData);
        }
        mStatStarted = true;
    }
    QueryUsage(mStatDataKey, &mUsage9x);
}

std::int32_t CPULoad::GetCPUCount() {
    if (mCPUCount >= 1) return mCPUCount;
    const std::uint32_t processors = platform::ProcessorCount();
    if (processors > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        throw OverflowError();
    }
    mCPUCount = static_cast<std::int32_t>(processors);
    mPrevCounters.assign(processors, 0);
    mCounters.assign(processors, 0);
    return mCPUCount;
}

void CPULoad::CountInstances(const std::vector<ProcessorCounter>& counters) {
    // Windows tells a 32-bit program on 64-bit Windows of 32 processors at
    // most, while the performance data names every one; so the first sample's
    // instances count too, and each processor is shown. A number beyond any
    // machine's processors is corrupt data, not a processor.
    constexpr std::int64_t kMostProcessors = 4096;
    for (const ProcessorCounter& counter : counters) {
        if (counter.instance >= kMostProcessors) throw SubscriptOutOfRangeError();
        mCPUCount = std::max(mCPUCount, static_cast<std::int32_t>(counter.instance + 1));
    }
    mPrevCounters.resize(static_cast<std::size_t>(mCPUCount), 0);
    mCounters.resize(static_cast<std::size_t>(mCPUCount), 0);
}

std::int32_t CPULoad::GetCPUUsage(std::int32_t CPU_Index) {
    if (!mIsWinNT) {
        if (CPU_Index != 1) throw CPULoadError(CPULoadFailure::kIndexOutOfBounds);
        if (!mStatStarted) CollectCPUData();
        return mUsage9x;
    }

    if (mCPUCount < 0) CollectCPUData();
    const std::int64_t i = std::int64_t{CPU_Index} - 1;
    if (i < 0 || i >= mCPUCount) throw CPULoadError(CPULoadFailure::kIndexOutOfBounds);
    if (mSampleTime == mPrevSampleTime || !HasPreviousSample()) return 0;

    const auto n = static_cast<std::size_t>(i);
    const std::int64_t idle = Difference(mCounters[n], mPrevCounters[n]);
    const std::int64_t span = Difference(mSampleTime, mPrevSampleTime);
    return RoundToInt32((1.0 - static_cast<double>(idle) / static_cast<double>(span)) * 100.0);
}

void CPULoad::StopPerfStats() {
    // Only the 9x path ever starts the statistic.
    if (!mStatStarted) return;
    mStatStarted = false;
    mStatDataKey.reset();
    platform::UniqueRegKey stopStat;
    // Reading the value of StopStat is what stops the statistic.
    if (!OpenStatKey(kStopStat, platform::kKeyAllAccess, stopStat)) return;
    QueryUsage(stopStat, &mUsage9x);
}
