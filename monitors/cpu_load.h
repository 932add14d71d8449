// How busy each processor is, as the short text of the Status tab's
// "CPU Usage:" field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "monitors/perf_data_walker.h"
#include "platform/owners.h"
#include "platform/platform.h"

// Samples the processors' load. The path is chosen once, from the platform id
// of the Windows version:
// - NT family: the idle-time counter of each processor instance of the
//   Processor performance object ("238", counter 6) from HKEY_PERFORMANCE_DATA,
//   compared between two samples against the time stamps of their data blocks;
// - 9x family: the kernel's CPU statistic under HKEY_DYN_DATA, started at the
//   first sample and stopped when the object goes; it covers one processor.
//
// All operations but CPUString raise CPULoadError (and run-time errors) on
// failure; an error leaves the state as it stood when it was raised.
class CPULoad {
  public:
    // Raises CPULoadError 8001 when the Windows version cannot be read. Touches
    // no registry key.
    CPULoad();
    // Stops the 9x statistic if this object started it (StopPerfStats), and
    // closes the performance data if it read them, which unloads the
    // system's counter providers.
    ~CPULoad();
    CPULoad(const CPULoad&) = delete;
    CPULoad& operator=(const CPULoad&) = delete;

    // Takes a fresh sample and renders every processor's usage, each at least
    // two digits wide followed by "%": "07 %" for one processor (a space before
    // the sign), "07% 42%" for two. Never raises: any failure gives
    // "CPU query failed".
    //
    // On the NT path the first sample of an object has nothing to be compared
    // with, so each figure reads "--" ("-- %", "--% --%") rather than a number;
    // the next call, a second later in the Status tab, shows the real load. A
    // usage below 0, which the idle counter running slightly ahead of the time
    // stamp can give, reads "00": the processor was idle.
    std::string CPUString();

    // Takes one sample: the performance data on NT (the buffer grows by 4096
    // bytes while the data does not fit, and keeps its size for the next
    // call), the 9x statistic otherwise.
    void CollectCPUData();

    // The number of processors, counted once per object: what the system
    // reports, or on NT as many as the first sample's performance data names
    // if that is more.
    std::int32_t GetCPUCount();

    // The usage in percent of processor CPU_Index (1-based) over the interval
    // between the two latest samples, rounded half to even and not clamped.
    // 0 when there is no such interval yet (one sample, or two with the same
    // time stamp). Raises CPULoadError 8003 for an index outside 1 to the
    // processor count (on 9x, any index but 1).
    std::int32_t GetCPUUsage(std::int32_t CPU_Index);

  private:
    void CollectNtData();
    void CountInstances(const std::vector<ProcessorCounter>& counters);
    void Collect9xData();
    void StopPerfStats();
    // The first sample's counters are compared with nothing: the previous
    // sample is still the initial one, all zero.
    bool HasPreviousSample() const { return mPrevSampleTime != 0; }

    std::int32_t mCPUCount = -1;
    std::int32_t mBufferSize = 4096;
    bool mIsWinNT = false;
    bool mStatStarted = false;
    bool mQueriedPerformanceData = false;
    std::int32_t mUsage9x = 0;
    platform::UniqueRegKey mStatDataKey;
    std::int64_t mSampleTime = 0;
    std::int64_t mPrevSampleTime = 0;
    std::vector<std::int64_t> mCounters;  // indexed by instance number
    std::vector<std::int64_t> mPrevCounters;
};
