// How long one 400 ms tick of the tray form takes on the simulated Windows:
// the program's own share of a tick, with the platform calls reduced to the
// simulation's bookkeeping. A run of the tool, not a test: nothing checks the
// figures, and ctest does not run it.
//
//   orbiquell_tick_benchmark [--benchmark_filter=REGEX] [--benchmark_min_time=S]
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/sleeper.h"
#include "app/tray_form.h"
#include "common/globals.h"
#include "platform/sim/sim.h"

namespace {

constexpr std::uint32_t kTickMs = 400;
// The simulation records every notification and system-parameter call; the
// records are dropped this often so that a long run does not measure a growing
// vector.
constexpr std::int64_t kClearRecordsEvery = 1024;

// A started program as after a normal start: a fresh simulated Windows, a
// machine with a loopback and two network cards, the pointer in the middle of
// the screen (in neither corner), and the form loaded with its first tick done.
void StartProgram(bool hotCorners) {
    sim::Reset();
    ResetGlobals();
    frmSysTray::Destroy();
    mHotCorners = {};
    sim::RegPutDword(platform::kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners",
                     hotCorners ? 1 : 0);
    sim::SetInterfaceTotals(platform::InterfaceTotals{98'893'984, 1'240'071});
    frmSysTray::Instance().Load();
    sim::AdvanceTime(kTickMs);
    sim::ClearRecords();
}

void StopProgram() {
    frmSysTray::Destroy();
    sim::Reset();
}

void DropRecordsNow(benchmark::State& state, std::int64_t iteration) {
    if (iteration % kClearRecordsEvery != 0) return;
    state.PauseTiming();
    sim::ClearRecords();
    state.ResumeTiming();
}

// The tick as the timer delivers it: 400 ms of simulated time pass and the
// timer fires the handler once.
void BM_TickThroughTimer(benchmark::State& state) {
    StartProgram(state.range(0) != 0);
    std::int64_t iteration = 0;
    for (auto _ : state) {
        sim::AdvanceTime(kTickMs);
        DropRecordsNow(state, ++iteration);
    }
    state.SetItemsProcessed(state.iterations());
    StopProgram();
}
BENCHMARK(BM_TickThroughTimer)->ArgName("hot_corners")->Arg(0)->Arg(1);

// The handler alone, without the simulated timer around it. The clock does not
// move, so the uptime text is the same each time.
void BM_TickHandler(benchmark::State& state) {
    StartProgram(state.range(0) != 0);
    std::int64_t iteration = 0;
    for (auto _ : state) {
        frmSysTray::Instance().timUpdate_Timer();
        DropRecordsNow(state, ++iteration);
    }
    state.SetItemsProcessed(state.iterations());
    StopProgram();
}
BENCHMARK(BM_TickHandler)->ArgName("hot_corners")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
