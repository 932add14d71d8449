// How long one CPUString call takes on the simulated Windows: one query of the
// Processor performance data (a fresh zero-filled buffer, the simulation's
// copy into it), the walk to the idle counters and the text. A run of the
// tool, not a test: nothing checks the figures, and ctest does not run it.
//
//   orbiquell_cpu_benchmark [--benchmark_filter=REGEX] [--benchmark_min_time=S]
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "monitors/cpu_load.h"
#include "platform/sim/sim.h"
#include "tests/monitors/perf_data_builder.h"

namespace {

// The simulation records each query's buffer size; the record is dropped this
// often so that a long run does not measure a growing vector.
constexpr std::int64_t kClearRecordsEvery = 1024;

// The block of a four-processor NT machine: System and Memory objects, then
// the Processor object with instances 0 to 3 and _Total.
std::vector<std::uint8_t> FourProcessorBlock() {
    return perfdata::Build(perfdata::ProcessorBlock({7'000'000, 3'000'000, 9'500'000, 10'000'000}))
        .bytes;
}

// Every call after the first gets the same block again, so its time stamp
// equals the previous sample's and the figures come out 0 without the one
// subtraction and division per processor a real refresh does; everything else
// (buffer, query, walk, text) is the same.
void BM_CPUString(benchmark::State& state) {
    sim::Reset();
    sim::SetProcessorCount(4);
    sim::SetPerformanceData(FourProcessorBlock());
    CPULoad load;
    std::string text;
    std::int64_t iteration = 0;
    for (auto _ : state) {
        text = load.CPUString();
        benchmark::DoNotOptimize(text);
        if (++iteration % kClearRecordsEvery == 0) {
            state.PauseTiming();
            sim::ClearRecords();
            state.ResumeTiming();
        }
    }
    state.SetLabel(text);
    sim::Reset();
}
BENCHMARK(BM_CPUString);

}  // namespace

BENCHMARK_MAIN();
