// libFuzzer target: the walk over a block of performance data. On any bytes it
// must end, read nothing outside them (AddressSanitizer watches the input,
// which libFuzzer hands over in a heap buffer of exactly its size), and fail
// only with its own errors; any other exception ends the run as a crash.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "monitors/cpu_load_error.h"
#include "monitors/perf_data_walker.h"

namespace {

constexpr std::size_t kObjectSize = 64;  // PERF_OBJECT_TYPE

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const ProcessorObject object = LocateProcessorObject(data, size);
        Check(object.offset <= size && kObjectSize <= size - object.offset);
        const std::vector<ProcessorCounter> counters = ReadProcessorCounters(data, size, object);
        for (const ProcessorCounter& counter : counters) Check(counter.instance >= 0);
    } catch (const CPULoadError&) {
    } catch (const CorruptPerfDataError&) {
    }
    return 0;
}
