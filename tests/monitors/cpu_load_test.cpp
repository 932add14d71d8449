// The CPU load sampler on both Windows families, against the simulated
// performance data and 9x statistics.
#include "monitors/cpu_load.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "monitors/cpu_load_error.h"
#include "platform/sim/sim.h"
#include "tests/monitors/perf_data_builder.h"

namespace {

using Strings = std::vector<std::string>;

constexpr std::int64_t kTicksPerMs = 10'000;  // FILETIME units
const std::string kFailed = "CPU query failed";

// 2005-12-06 08:04:09.000 plus ms (under 50 s, so the minute stays).
platform::SystemTime At(std::uint32_t ms) {
    return {2005,
            12,
            2,
            6,
            8,
            4,
            static_cast<std::uint16_t>(9 + ms / 1000),
            static_cast<std::uint16_t>(ms % 1000)};
}

void Serve(const perfdata::Block& block) {
    sim::SetPerformanceData(perfdata::Build(block).bytes);
}

// The Processor data of a machine whose processors had the given idle times
// at ms.
void Serve(const std::vector<std::int64_t>& idleTimes, std::uint32_t ms) {
    Serve(perfdata::ProcessorBlock(idleTimes, At(ms)));
}

// Whatever the call raises must be this CPULoadError, with its number, source
// and description as earlier releases had them.
struct ExpectedError {
    std::uint32_t number;
    std::string source;
    std::string description;
};
const ExpectedError k8001{0x80041F41, "CPULoad.Initialize", "Can't get the Windows version"};
const ExpectedError k8002{0x80041F42, "CPULoad.CollectCPRData()",
                          "Unable to start performance monitoring"};
const ExpectedError k8003{0x80041F43, "CPULoad.GetCPUUsage()", "CPU index out of bounds"};
const ExpectedError k8004{0x80041F44, "CPULoad.CollectData",
                          "Unable to locate the 'Processor' performance object"};
const ExpectedError k8005{0x80041F45, "CPULoad.CollectData",
                          "Unable to locate the '% of CPU usage' performance counter"};
const ExpectedError k8006{0x80041F46, "CPULoad.CollectCPUData()",
                          "Unable to read performance data"};

void ExpectError(const std::function<void()>& call, const ExpectedError& expected) {
    try {
        call();
        ADD_FAILURE() << "no error raised, expected " << expected.description;
    } catch (const CPULoadError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.number()), expected.number);
        EXPECT_EQ(error.source(), expected.source);
        EXPECT_EQ(std::string(error.what()), expected.description);
    }
}

class CPULoadNt : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(CPULoadNt, CreationReadsTheVersionAndNothingElse) {
    CPULoad load;
    EXPECT_TRUE(sim::PerformanceDataQuerySizes().empty());
    EXPECT_TRUE(sim::DynDataLog().empty());
}

TEST_F(CPULoadNt, CreationFailsWithoutAWindowsVersion) {
    sim::SetOsVersion(std::nullopt);
    ExpectError([] { CPULoad load; }, k8001);
}

TEST_F(CPULoadNt, OneProcessorReadsWithASpaceBeforeTheSign) {
    // Each sample 1 s after the one before; idle time in 100 ns units.
    CPULoad load;
    Serve({0}, 0);
    EXPECT_EQ(load.CPUString(), "-- %");
    const struct {
        std::int64_t idleMs;
        std::string text;
    } steps[] = {{950, "05 %"}, {0, "100 %"}, {1000, "00 %"}, {580, "42 %"}, {930, "07 %"}};
    std::int64_t idle = 0;
    std::uint32_t ms = 0;
    for (const auto& step : steps) {
        idle += step.idleMs * kTicksPerMs;
        ms += 1000;
        Serve({idle}, ms);
        EXPECT_EQ(load.CPUString(), step.text) << "at " << ms << " ms";
    }
}

TEST_F(CPULoadNt, SeveralProcessorsReadSideBySide) {
    sim::SetProcessorCount(2);
    CPULoad load;
    Serve({0, 0}, 0);
    EXPECT_EQ(load.CPUString(), "--% --%");
    Serve({950 * kTicksPerMs, 0}, 1000);
    EXPECT_EQ(load.CPUString(), "05% 100%");

    sim::Reset();
    sim::SetProcessorCount(4);
    CPULoad four;
    Serve({0, 0, 0, 0}, 0);
    four.CPUString();
    Serve({1000 * kTicksPerMs, 580 * kTicksPerMs, 930 * kTicksPerMs, 0}, 1000);
    EXPECT_EQ(four.CPUString(), "00% 42% 07% 100%");
    EXPECT_EQ(four.GetCPUCount(), 4);
}

TEST_F(CPULoadNt, InstanceNamesNotTheirOrderPickTheProcessor) {
    // "_Total" first and the processors in reverse order: the figures still
    // land with the processor each instance names, and "_Total", whose counter
    // would give nonsense, is passed over.
    sim::SetProcessorCount(2);
    auto block = [](std::int64_t idle0, std::int64_t idle1, std::uint32_t ms) {
        perfdata::Block b = perfdata::ProcessorBlock({}, At(ms));
        b.objects.back().instances = {{u"_Total", -123456789}, {u"1", idle1}, {u"0", idle0}};
        return b;
    };
    CPULoad load;
    Serve(block(0, 0, 0));
    load.CPUString();
    Serve(block(250 * kTicksPerMs, 900 * kTicksPerMs, 1000));
    EXPECT_EQ(load.CPUString(), "75% 10%");
}

TEST_F(CPULoadNt, ProcessorObjectAfterOtherObjectsWithInstances) {
    // Objects with instances of their own, one carrying a counter numbered 6
    // too, come first; only the Processor object counts.
    auto block = [](std::int64_t idle, std::uint32_t ms) {
        perfdata::Block b;
        b.time = At(ms);
        b.objects = {perfdata::Object{230, {6, 180}, {{u"0", 1}, {u"1", 2}}},
                     perfdata::Object{4, {22}, {}},
                     perfdata::Object{perfdata::kProcessorObject, {142, 6}, {{u"0", idle}}}};
        return b;
    };
    CPULoad load;
    Serve(block(0, 0));
    load.CPUString();
    Serve(block(400 * kTicksPerMs, 1000));
    EXPECT_EQ(load.CPUString(), "60 %");
}

TEST_F(CPULoadNt, UsageIsTheShareOfTheIntervalNotSpentIdle) {
    sim::SetProcessorCount(3);
    CPULoad load;
    Serve({0, 0, 0}, 0);
    load.CollectCPUData();
    EXPECT_EQ(load.GetCPUUsage(1), 0) << "no interval yet";
    // 800 ms: idle 7/8 gives exactly 12.5, 5/8 exactly 37.5; halves go to the
    // even neighbour.
    Serve({700 * kTicksPerMs, 500 * kTicksPerMs, 840 * kTicksPerMs}, 800);
    load.CollectCPUData();
    EXPECT_EQ(load.GetCPUUsage(1), 12);
    EXPECT_EQ(load.GetCPUUsage(2), 38);
    // Idle running ahead of the clock gives a negative figure, unclamped.
    EXPECT_EQ(load.GetCPUUsage(3), -5);
    EXPECT_EQ(load.CPUString(), "00% 00% 00%") << "same time stamp again";
}

TEST_F(CPULoadNt, FiguresBeyondTheRangeAreShownAsTheyCome) {
    sim::SetProcessorCount(2);
    CPULoad load;
    Serve({100 * kTicksPerMs, 0}, 0);
    load.CPUString();
    // An idle counter that went back a little, and one that ran ahead.
    Serve({90 * kTicksPerMs, 1050 * kTicksPerMs}, 1000);
    EXPECT_EQ(load.CPUString(), "101% 00%");
    EXPECT_EQ(load.GetCPUUsage(1), 101);
    EXPECT_EQ(load.GetCPUUsage(2), -5);
}

TEST_F(CPULoadNt, EqualTimeStampsGiveZeroForEveryProcessor) {
    sim::SetProcessorCount(2);
    CPULoad load;
    Serve({0, 0}, 500);
    load.CPUString();
    Serve({0, 123 * kTicksPerMs}, 1500);
    EXPECT_EQ(load.CPUString(), "100% 88%");
    Serve({10, 9}, 1500);
    EXPECT_EQ(load.CPUString(), "00% 00%");
    EXPECT_EQ(load.GetCPUUsage(1), 0);
    EXPECT_EQ(load.GetCPUUsage(2), 0);
}

TEST_F(CPULoadNt, FirstSampleShowsNoFigure) {
    // The previous sample is then all zero: compared with it the idle counter
    // since start-up against the time since 1601 would read about 100.
    CPULoad load;
    Serve({3'000'000'000}, 0);
    EXPECT_EQ(load.CPUString(), "-- %");
    EXPECT_EQ(load.GetCPUUsage(1), 0);
    Serve({3'000'000'000 + 750 * kTicksPerMs}, 1000);
    EXPECT_EQ(load.CPUString(), "25 %");
}

TEST_F(CPULoadNt, GetCPUUsageSamplesFirstWhenNothingWasSampled) {
    CPULoad load;
    Serve({5}, 0);
    EXPECT_EQ(load.GetCPUUsage(1), 0);
    EXPECT_EQ(sim::PerformanceDataQuerySizes().size(), 1u);
    EXPECT_EQ(load.GetCPUUsage(1), 0);
    EXPECT_EQ(sim::PerformanceDataQuerySizes().size(), 1u) << "only the first call samples";
}

TEST_F(CPULoadNt, IndexOutsideTheProcessorsIsRefused) {
    sim::SetProcessorCount(2);
    CPULoad load;
    Serve({0, 0}, 0);
    load.CollectCPUData();
    for (std::int32_t index : {0, 3, -1, std::numeric_limits<std::int32_t>::min()}) {
        SCOPED_TRACE(index);
        ExpectError([&] { load.GetCPUUsage(index); }, k8003);
    }
    EXPECT_EQ(load.GetCPUUsage(2), 0);
}

TEST_F(CPULoadNt, ProcessorsAreCountedOncePerObject) {
    sim::SetProcessorCount(2);
    CPULoad load;
    EXPECT_EQ(load.GetCPUCount(), 2);
    sim::SetProcessorCount(4);
    EXPECT_EQ(load.GetCPUCount(), 2);
    EXPECT_EQ(CPULoad().GetCPUCount(), 4);
}

TEST_F(CPULoadNt, BufferGrowsInStepsAndKeepsItsSize) {
    perfdata::Block block = perfdata::ProcessorBlock({0}, At(0));
    block.minimumSize = 10'000;
    Serve(block);
    CPULoad load;
    EXPECT_EQ(load.CPUString(), "-- %");
    EXPECT_EQ(sim::PerformanceDataQuerySizes(), (std::vector<std::uint32_t>{4096, 8192, 12288}));

    block = perfdata::ProcessorBlock({500 * kTicksPerMs}, At(1000));
    block.minimumSize = 10'000;
    Serve(block);
    EXPECT_EQ(load.CPUString(), "50 %");
    EXPECT_EQ(sim::PerformanceDataQuerySizes(),
              (std::vector<std::uint32_t>{4096, 8192, 12288, 12288}));
}

TEST_F(CPULoadNt, SmallDataIsReadAtTheFirstAttempt) {
    CPULoad load;
    Serve({0}, 0);
    load.CPUString();
    load.CPUString();
    EXPECT_EQ(sim::PerformanceDataQuerySizes(), (std::vector<std::uint32_t>{4096, 4096}));
}

TEST_F(CPULoadNt, DataWithoutTheProcessorObject) {
    perfdata::Block block = perfdata::ProcessorBlock({0}, At(0));
    block.objects.pop_back();
    Serve(block);
    CPULoad load;
    ExpectError([&] { load.CollectCPUData(); }, k8004);
    EXPECT_EQ(load.CPUString(), kFailed);

    block.objects.clear();  // as a system without any provider serves it
    Serve(block);
    ExpectError([&] { load.CollectCPUData(); }, k8004);
}

TEST_F(CPULoadNt, ProcessorObjectWithoutTheIdleCounter) {
    perfdata::Block block = perfdata::ProcessorBlock({0}, At(0));
    block.objects.back().counters = {142, 144};
    Serve(block);
    CPULoad load;
    ExpectError([&] { load.CollectCPUData(); }, k8005);
    EXPECT_EQ(load.CPUString(), kFailed);
}

TEST_F(CPULoadNt, DataThatIsNotAPerformanceBlock) {
    perfdata::Built built = perfdata::Build(perfdata::ProcessorBlock({0}, At(0)));
    built.bytes[6] = 'X';  // "PERX"
    sim::SetPerformanceData(built.bytes);
    CPULoad load;
    ExpectError([&] { load.CollectCPUData(); }, k8006);
    EXPECT_EQ(load.CPUString(), kFailed);

    sim::SetPerformanceData(std::nullopt);  // the query itself fails
    ExpectError([&] { load.CollectCPUData(); }, k8006);
    EXPECT_EQ(load.CPUString(), kFailed);
}

TEST_F(CPULoadNt, EveryProcessorTheDataNamesIsShown) {
    // A 32-bit program on 64-bit Windows is told of 32 processors at most.
    sim::SetProcessorCount(32);
    CPULoad load;
    const std::vector<std::int64_t> idle(64, 0);
    Serve(idle, 0);
    load.CPUString();
    std::vector<std::int64_t> later(64, 1000 * kTicksPerMs);
    later[63] = 580 * kTicksPerMs;
    Serve(later, 1000);
    const std::string text = load.CPUString();
    EXPECT_EQ(load.GetCPUCount(), 64);
    EXPECT_EQ(text.size(), 64 * 4 - 1);
    EXPECT_EQ(text.substr(text.size() - 7), "00% 42%");
}

TEST_F(CPULoadNt, InstanceBeyondTheCountedProcessorsFails) {
    sim::SetProcessorCount(2);
    CPULoad load;
    Serve({0, 0}, 0);
    load.CollectCPUData();
    Serve({0, 0, 0}, 1000);  // instances 0, 1 and 2
    EXPECT_THROW(load.CollectCPUData(), SubscriptOutOfRangeError);
    EXPECT_EQ(load.CPUString(), kFailed);

    // A number no machine's processors reach is corrupt, not counted.
    CPULoad fresh;
    perfdata::Block block = perfdata::ProcessorBlock({0}, At(0));
    block.objects.back().instances = {{u"4096", 0}};
    Serve(block);
    EXPECT_EQ(fresh.CPUString(), kFailed);
}

TEST_F(CPULoadNt, CorruptDataFailsAndTheNextGoodSampleCounts) {
    CPULoad load;
    Serve({0}, 0);
    load.CPUString();

    perfdata::Built built = perfdata::Build(perfdata::ProcessorBlock({100}, At(1000)));
    perfdata::PutLong(built.bytes, built.instances[0] + perfdata::kInstanceNameLength, 1);
    sim::SetPerformanceData(built.bytes);
    EXPECT_EQ(load.CPUString(), kFailed);

    Serve({200 * kTicksPerMs}, 2000);
    EXPECT_EQ(load.CPUString(), "90 %") << "against the sample at 0 ms";
}

// A block cut short, whose records claim more than the query returned: only the
// returned bytes are read, not the rest of the buffer, whose zeros would read as
// an idle time of 0, that is 100 %.
TEST_F(CPULoadNt, BlockCutShortFails) {
    CPULoad load;
    Serve({0}, 0);
    load.CPUString();
    perfdata::Built built =
        perfdata::Build(perfdata::ProcessorBlock({500 * kTicksPerMs}, At(1000)));
    built.bytes.resize(built.bytes.size() - 8);
    sim::SetPerformanceData(built.bytes);
    EXPECT_EQ(load.CPUString(), kFailed);
}

TEST_F(CPULoadNt, TimeStampThatIsNoDateFails) {
    CPULoad load;
    Serve({0}, 0);
    load.CPUString();
    platform::SystemTime time = At(1000);
    time.month = 13;
    Serve(perfdata::ProcessorBlock({0}, time));
    EXPECT_EQ(load.CPUString(), kFailed);
}

TEST_F(CPULoadNt, ReleasingASamplerClosesThePerformanceData) {
    Serve({0}, 0);
    {
        CPULoad load;
        load.CPUString();
        load.CPUString();
        EXPECT_EQ(sim::PerformanceDataCloses(), 0);
    }
    EXPECT_EQ(sim::PerformanceDataCloses(), 1);
    { CPULoad unused; }
    EXPECT_EQ(sim::PerformanceDataCloses(), 1);
}

TEST_F(CPULoadNt, NothingIsOpenedOrStartedOnNt) {
    {
        CPULoad load;
        Serve({0}, 0);
        load.CPUString();
        load.CPUString();
    }
    EXPECT_TRUE(sim::DynDataLog().empty());
    EXPECT_EQ(sim::RegOpenHandleCount(), 0);
}

// ---- Windows 9x -------------------------------------------------------------------

class CPULoad9x : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::Reset();
        sim::SetOsVersion(platform::OsVersion{4, 10, 2222, 1});  // Windows 98 SE
        sim::SetDynDataKeys(true, true, true);
    }
};

TEST_F(CPULoad9x, StartsTheStatisticOnceReadsItAndStopsItAtTheEnd) {
    {
        CPULoad load;
        EXPECT_TRUE(sim::DynDataLog().empty()) << "nothing at creation";
        sim::SetDynDataUsage(42);
        EXPECT_EQ(load.CPUString(), "42 %");
        EXPECT_EQ(sim::DynDataLog(),
                  (Strings{"open StartStat", "query StartStat", "close StartStat", "open StatData",
                           "query StatData"}));
        sim::SetDynDataUsage(7);
        EXPECT_EQ(load.CPUString(), "07 %");
        sim::SetDynDataUsage(0);
        EXPECT_EQ(load.CPUString(), "00 %");
        sim::SetDynDataUsage(100);
        EXPECT_EQ(load.CPUString(), "100 %");
        EXPECT_EQ(load.GetCPUUsage(1), 100);
        EXPECT_EQ(sim::DynDataLog().size(), 8u) << "each later sample only reads StatData";
    }
    const Strings& log = sim::DynDataLog();
    ASSERT_EQ(log.size(), 12u);
    EXPECT_EQ(Strings(log.begin() + 8, log.end()),
              (Strings{"close StatData", "open StopStat", "query StopStat", "close StopStat"}));
    EXPECT_TRUE(sim::PerformanceDataQuerySizes().empty());
}

TEST_F(CPULoad9x, PlatformIdsBelowTwoTakeThe9xPath) {
    sim::SetOsVersion(platform::OsVersion{3, 10, 0, 0});  // Win32s
    CPULoad load;
    sim::SetDynDataUsage(3);
    EXPECT_EQ(load.CPUString(), "03 %");
}

TEST_F(CPULoad9x, AnObjectNeverSampledStartsAndStopsNothing) {
    { CPULoad load; }
    EXPECT_TRUE(sim::DynDataLog().empty());
}

TEST_F(CPULoad9x, StatisticThatCannotBeStarted) {
    sim::SetDynDataKeys(false, true, true);
    {
        CPULoad load;
        ExpectError([&] { load.CollectCPUData(); }, k8002);
        EXPECT_EQ(load.CPUString(), kFailed);
        ExpectError([&] { load.GetCPUUsage(1); }, k8002);
    }
    EXPECT_EQ(sim::DynDataLog(), Strings(3, "open StartStat failed"));
}

TEST_F(CPULoad9x, StatisticThatCannotBeReadFailsEveryTimeAndIsNeverStopped) {
    sim::SetDynDataKeys(true, false, true);
    {
        CPULoad load;
        ExpectError([&] { load.CollectCPUData(); }, k8006);
        EXPECT_EQ(load.CPUString(), kFailed);
    }
    const Strings attempt = {"open StartStat", "query StartStat", "close StartStat",
                             "open StatData failed"};
    Strings twice = attempt;
    twice.insert(twice.end(), attempt.begin(), attempt.end());
    EXPECT_EQ(sim::DynDataLog(), twice);
}

TEST_F(CPULoad9x, MissingStopKeyIsPassedOverQuietly) {
    sim::SetDynDataKeys(true, true, false);
    {
        CPULoad load;
        load.CPUString();
    }
    const Strings& log = sim::DynDataLog();
    EXPECT_EQ(Strings(log.end() - 2, log.end()),
              (Strings{"close StatData", "open StopStat failed"}));
}

TEST_F(CPULoad9x, OnlyOneProcessorIsKnown) {
    CPULoad load;
    sim::SetDynDataUsage(12);
    EXPECT_EQ(load.GetCPUUsage(1), 12) << "samples first";
    ExpectError([&] { load.GetCPUUsage(2); }, k8003);
    ExpectError([&] { load.GetCPUUsage(0); }, k8003);

    sim::SetProcessorCount(2);
    CPULoad twoProcessors;
    EXPECT_EQ(twoProcessors.CPUString(), kFailed);
}

}  // namespace
