#include "monitors/cpu_load_error.h"

namespace {

struct FailureText {
    const char* operation;
    const char* description;
};

FailureText TextOf(CPULoadFailure failure) {
    switch (failure) {
        case CPULoadFailure::kNoWindowsVersion:
            return {".Initialize", "Can't get the Windows version"};
        case CPULoadFailure::kCannotStartStatistic:
            return {".CollectCPRData()", "Unable to start performance monitoring"};
        case CPULoadFailure::kIndexOutOfBounds:
            return {".GetCPUUsage()", "CPU index out of bounds"};
        case CPULoadFailure::kNoProcessorObject:
            return {".CollectData", "Unable to locate the 'Processor' performance object"};
        case CPULoadFailure::kNoProcessorTimeCounter:
            return {".CollectData", "Unable to locate the '% of CPU usage' performance counter"};
        case CPULoadFailure::kUnreadableData:
            break;
    }
    return {".CollectCPUData()", "Unable to read performance data"};
}

int NumberOf(CPULoadFailure failure) {
    return static_cast<int>(kObjectErrorBase + static_cast<std::uint32_t>(failure));
}

}  // namespace

CPULoadError::CPULoadError(CPULoadFailure failure)
    : RuntimeError(NumberOf(failure), TextOf(failure).description),
      failure_(failure),
      source_(std::string("CPULoad") + TextOf(failure).operation) {}
