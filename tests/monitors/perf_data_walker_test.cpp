// Walking a block of performance data to the processors' idle-time counters,
// and refusing blocks whose lengths, offsets or counts do not hold together.
// Each block is read from a heap buffer of exactly its size, so that
// AddressSanitizer reports any read past it.
#include "monitors/perf_data_walker.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "monitors/cpu_load_error.h"
#include "tests/monitors/perf_data_builder.h"

namespace {

using perfdata::Built;
using perfdata::PutLong;

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();

std::vector<ProcessorCounter> Walk(const std::vector<std::uint8_t>& bytes) {
    const ProcessorObject object = LocateProcessorObject(bytes.data(), bytes.size());
    return ReadProcessorCounters(bytes.data(), bytes.size(), object);
}

// The failure a walk over the bytes raises: the CPULoadError's number less the
// object-error base, 0 for CorruptPerfDataError, -1 for none.
int FailureOf(const std::vector<std::uint8_t>& bytes) {
    try {
        Walk(bytes);
        return -1;
    } catch (const CPULoadError& error) {
        return static_cast<int>(error.failure());
    } catch (const CorruptPerfDataError&) {
        return 0;
    }
}

constexpr int kCorrupt = 0;

Built TwoProcessors() {
    return perfdata::Build(perfdata::ProcessorBlock({111, 222}));
}

TEST(PerfDataWalker, FindsEachNumberedInstanceAndItsIdleCounter) {
    const Built built = perfdata::Build(perfdata::ProcessorBlock({111, 222, 333}));
    const ProcessorObject object = LocateProcessorObject(built.bytes.data(), built.bytes.size());
    EXPECT_EQ(object.offset, built.processor);
    EXPECT_EQ(object.systemTime.year, 2005);
    EXPECT_EQ(object.systemTime.month, 12);
    EXPECT_EQ(object.systemTime.dayOfWeek, 2);
    EXPECT_EQ(object.systemTime.day, 6);
    EXPECT_EQ(object.systemTime.hour, 8);
    EXPECT_EQ(object.systemTime.minute, 4);
    EXPECT_EQ(object.systemTime.second, 9);
    EXPECT_EQ(object.systemTime.milliseconds, 123);

    const std::vector<ProcessorCounter> counters =
        ReadProcessorCounters(built.bytes.data(), built.bytes.size(), object);
    ASSERT_EQ(counters.size(), 3u) << "_Total is passed over";
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(counters[i].instance, static_cast<std::int64_t>(i));
        EXPECT_EQ(counters[i].idleTime, 111 * static_cast<std::int64_t>(i + 1));
    }
}

TEST(PerfDataWalker, InstanceNamesThatAreNumbers) {
    perfdata::Block block = perfdata::ProcessorBlock({});
    block.objects.back().instances = {{u"_Total", 1}, {u"", 2},    {u"1a", 3}, {u"-1", 4},
                                      {u" 1", 5},     {u"007", 6}, {u"12", 7}, {u"99999999999", 8},
                                      {u"\uFF11", 9}};
    const std::vector<ProcessorCounter> counters = Walk(perfdata::Build(block).bytes);
    ASSERT_EQ(counters.size(), 3u);
    EXPECT_EQ(counters[0].instance, 7);
    EXPECT_EQ(counters[0].idleTime, 6);
    EXPECT_EQ(counters[1].instance, 12);
    EXPECT_GT(counters[2].instance, kLargest) << "too large for any processor";
}

TEST(PerfDataWalker, ProcessorObjectMissingOrWithoutIdleCounter) {
    perfdata::Block block = perfdata::ProcessorBlock({1});
    block.objects.back().titleIndex = 239;
    EXPECT_EQ(FailureOf(perfdata::Build(block).bytes),
              static_cast<int>(CPULoadFailure::kNoProcessorObject));

    block = perfdata::ProcessorBlock({1});
    block.objects.back().counters = {142, 144};
    EXPECT_EQ(FailureOf(perfdata::Build(block).bytes),
              static_cast<int>(CPULoadFailure::kNoProcessorTimeCounter));
}

TEST(PerfDataWalker, SignatureComesFirst) {
    EXPECT_EQ(FailureOf({}), static_cast<int>(CPULoadFailure::kUnreadableData));
    const std::vector<std::uint8_t> ascii = {'P', 'E', 'R', 'F', 0, 0, 0, 0};
    EXPECT_EQ(FailureOf(ascii), static_cast<int>(CPULoadFailure::kUnreadableData));
    const std::vector<std::uint8_t> zeros(4096, 0);  // what a failed query leaves
    EXPECT_EQ(FailureOf(zeros), static_cast<int>(CPULoadFailure::kUnreadableData));
}

TEST(PerfDataWalker, EveryTruncationIsRefused) {
    const Built built = TwoProcessors();
    for (std::size_t size = 0; size < built.bytes.size(); ++size) {
        const std::vector<std::uint8_t> cut(built.bytes.begin(), built.bytes.begin() + size);
        const int failure = FailureOf(cut);
        if (size < 8) {
            EXPECT_EQ(failure, static_cast<int>(CPULoadFailure::kUnreadableData)) << size;
        } else {
            EXPECT_EQ(failure, kCorrupt) << "cut to " << size << " bytes";
        }
    }
    EXPECT_EQ(FailureOf(built.bytes), -1);
}

// One field of a good two-processor block set to a bad value, and what the
// walk must make of it.
struct Damage {
    std::string name;
    std::function<std::size_t(const Built&)> field;
    std::int32_t value;
};

TEST(PerfDataWalker, DamagedLengthsOffsetsAndCountsAreRefused) {
    using namespace perfdata;
    auto object = [](std::size_t index, std::size_t field) {
        return [=](const Built& b) { return b.objects[index] + field; };
    };
    auto processor = [](std::size_t field) {
        return [=](const Built& b) { return b.processor + field; };
    };
    auto instance = [](std::size_t index, std::size_t field) {
        return [=](const Built& b) { return b.instances[index] + field; };
    };
    auto counterBlock = [](std::size_t index) {
        return [=](const Built& b) { return b.counterBlocks[index] + kCounterBlockByteLength; };
    };
    auto block = [](std::size_t field) { return [=](const Built&) { return field; }; };
    auto idleDefinition = [](std::size_t field) {
        return [=](const Built& b) { return b.counterDefinitions[0] + field; };
    };

    const Damage damages[] = {
        {"first object past the end", block(kBlockHeaderLength), kLargest},
        {"first object before the start", block(kBlockHeaderLength), -8},
        {"negative object count", block(kBlockNumObjectTypes), -1},
        {"object of length 0", object(0, kObjectTotalByteLength), 0},
        {"object shorter than its header", object(0, kObjectTotalByteLength), 63},
        {"object length past the end", object(1, kObjectTotalByteLength), kLargest},
        {"negative object length", object(0, kObjectTotalByteLength), -64},
        {"counter definitions past the end", processor(kObjectHeaderLength), kLargest},
        {"counter definitions before the object", processor(kObjectHeaderLength), -1},
        {"negative counter count", processor(kObjectNumCounters), -1},
        {"instances past the end", processor(kObjectDefinitionLength), kLargest},
        {"negative instance count", processor(kObjectNumInstances), -1},
        {"instance count beyond the data", processor(kObjectNumInstances), kLargest},
        {"instance of length 0", instance(0, kInstanceByteLength), 0},
        {"instance shorter than its header", instance(0, kInstanceByteLength), 23},
        {"instance length past the end", instance(1, kInstanceByteLength), kLargest},
        {"name length 0", instance(0, kInstanceNameLength), 0},
        {"name length 1", instance(0, kInstanceNameLength), 1},
        {"odd name length", instance(0, kInstanceNameLength), 3},
        {"negative name length", instance(0, kInstanceNameLength), -2},
        {"name length past the end", instance(0, kInstanceNameLength), kLargest - 1},
        {"name past the end", instance(0, kInstanceNameOffset), kLargest},
        {"name before the instance", instance(0, kInstanceNameOffset), -24},
        {"counter block of length 0", counterBlock(0), 0},
        {"counter block shorter than its header", counterBlock(0), 3},
        {"counter block too short for the counter", counterBlock(0), 15},
        {"counter block past the end", counterBlock(2), kLargest},
        {"counter outside its block", idleDefinition(kCounterOffset), 40},
        {"counter before its block", idleDefinition(kCounterOffset), -8},
    };
    const Built good = TwoProcessors();
    ASSERT_EQ(good.instances.size(), 3u);
    for (const Damage& damage : damages) {
        Built built = good;
        PutLong(built.bytes, damage.field(built), damage.value);
        EXPECT_EQ(FailureOf(built.bytes), kCorrupt) << damage.name;
    }
}

TEST(PerfDataWalker, ZeroLengthRecordsWithHugeCountsEndQuickly) {
    // Each of these would have a walk that trusts the data go round the same
    // record two billion times.
    using namespace perfdata;
    perfdata::Block block = perfdata::ProcessorBlock({1});
    block.objects.back().counters = {142, 144, kProcessorTime};
    Built built = perfdata::Build(block);
    PutLong(built.bytes, built.processor + kObjectNumCounters, kLargest);
    PutLong(built.bytes, built.counterDefinitions[0] + kCounterByteLength, 0);
    EXPECT_EQ(FailureOf(built.bytes), kCorrupt) << "counter definition of length 0";

    built = perfdata::Build(perfdata::ProcessorBlock({1}));
    PutLong(built.bytes, kBlockNumObjectTypes, kLargest);
    PutLong(built.bytes, built.objects[0] + kObjectTotalByteLength, 0);
    EXPECT_EQ(FailureOf(built.bytes), kCorrupt) << "object of length 0";

    block = perfdata::ProcessorBlock({1});
    block.objects.pop_back();
    built = perfdata::Build(block);
    PutLong(built.bytes, kBlockNumObjectTypes, kLargest);
    EXPECT_EQ(FailureOf(built.bytes), kCorrupt) << "more objects than there are";

    built = perfdata::Build(perfdata::ProcessorBlock({1}));
    PutLong(built.bytes, built.processor + kObjectNumInstances, kLargest);
    EXPECT_EQ(FailureOf(built.bytes), kCorrupt) << "more instances than there are";
}

TEST(PerfDataWalker, ProcessorObjectCutShortAtTheEnd) {
    // A third object, the Processor one, of which only 40 bytes are there.
    perfdata::Block block = perfdata::ProcessorBlock({1});
    block.objects.pop_back();
    Built built = perfdata::Build(block);
    built.bytes.resize(built.bytes.size() + 40, 0);
    PutLong(built.bytes, perfdata::kBlockNumObjectTypes, 3);
    PutLong(built.bytes, built.bytes.size() - 40 + perfdata::kObjectNameTitleIndex,
            perfdata::kProcessorObject);
    EXPECT_EQ(FailureOf(built.bytes), kCorrupt);
}

}  // namespace
