// The errors the CPU load sampler raises. Each has a number (the object-error
// base plus 8001 to 8006), a source naming the class and the operation, and a
// description. The source texts are kept exactly as earlier releases raised
// them, misspelt ".CollectCPRData()" included, so that nothing matching on
// them breaks.
#pragma once

#include <cstdint>
#include <string>

#include "common/runtime_error.h"

// 0x80040000: the base of the numbers an object raises for its own errors.
constexpr std::uint32_t kObjectErrorBase = 0x80040000u;

enum class CPULoadFailure {
    kNoWindowsVersion = 8001,  // creation: the version query failed
    kCannotStartStatistic,     // 9x: "PerfStats\StartStat" cannot be opened
    kIndexOutOfBounds,         // GetCPUUsage: no such processor
    kNoProcessorObject,        // NT: no object with title index 238
    kNoProcessorTimeCounter,   // NT: the Processor object lacks counter 6
    kUnreadableData,           // NT: no "PERF" block; 9x: no "PerfStats\StatData"
};

class CPULoadError : public RuntimeError {
  public:
    explicit CPULoadError(CPULoadFailure failure);

    CPULoadFailure failure() const { return failure_; }
    const std::string& source() const { return source_; }

  private:
    CPULoadFailure failure_;
    std::string source_;
};
