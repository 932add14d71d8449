// The performance data that Wine serves once orbiquell_perf.dll is registered
// (tools/perf-provider): laid out as Windows lays out the Processor object, at
// the place a reader walks to, within the buffer and the length reported, and
// stamped with the moment its counters were read.
#include <windows.h>
#include <winperf.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kProcessorObject = 238;
constexpr DWORD kIdleTimeCounter = 6;
constexpr std::uint8_t kGuard = 0xA5;
constexpr std::size_t kGuardLength = 256;

template <typename T>
T At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof value > bytes.size()) {
        ADD_FAILURE() << "reading " << sizeof value << " bytes at " << offset << " beyond "
                      << bytes.size();
        return value;
    }
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

struct Answer {
    LONG status = 0;
    DWORD size = 0;                  // the length the query reported
    std::vector<std::uint8_t> data;  // the buffer as passed, without the guard
    bool guardIntact = true;         // nothing written past the buffer
};

Answer Query(const char* objects, DWORD bufferSize) {
    std::vector<std::uint8_t> buffer(bufferSize + kGuardLength, kGuard);
    std::fill_n(buffer.begin(), bufferSize, 0);
    Answer answer;
    answer.size = bufferSize;
    answer.status = RegQueryValueExA(HKEY_PERFORMANCE_DATA, objects, nullptr, nullptr,
                                     buffer.data(), &answer.size);
    answer.guardIntact = std::all_of(buffer.begin() + bufferSize, buffer.end(),
                                     [](std::uint8_t byte) { return byte == kGuard; });
    buffer.resize(bufferSize);
    answer.data = std::move(buffer);
    return answer;
}

DWORD ProcessorCount() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors;
}

std::int64_t FileTime(const SYSTEMTIME& time) {
    FILETIME fileTime;
    SystemTimeToFileTime(&time, &fileTime);
    return static_cast<std::int64_t>(fileTime.dwHighDateTime) << 32 | fileTime.dwLowDateTime;
}

// The objects of a data block, walked from its HeaderLength as readers do:
// offset and title index of each.
std::vector<std::pair<std::size_t, DWORD>> Objects(const Answer& answer) {
    const auto block = At<PERF_DATA_BLOCK>(answer.data, 0);
    std::vector<std::pair<std::size_t, DWORD>> objects;
    std::size_t at = block.HeaderLength;
    for (DWORD i = 0; i < block.NumObjectTypes; ++i) {
        const auto object = At<PERF_OBJECT_TYPE>(answer.data, at);
        objects.emplace_back(at, object.ObjectNameTitleIndex);
        if (object.TotalByteLength == 0) break;
        at += object.TotalByteLength;
    }
    return objects;
}

struct Sample {
    std::int64_t blockTime = 0;   // SystemTime of the data block
    std::int64_t objectTime = 0;  // the object's PerfTime: when the counters were read
    std::vector<std::wstring> names;
    std::vector<std::int64_t> idle;  // counter 6 of each instance
};

// Reads the Processor object of a successful "238" query, checking its
// layout on the way.
Sample ReadProcessors(const Answer& answer) {
    Sample sample;
    const auto block = At<PERF_DATA_BLOCK>(answer.data, 0);
    sample.blockTime = FileTime(block.SystemTime);
    const std::size_t objectAt = block.HeaderLength;
    const auto object = At<PERF_OBJECT_TYPE>(answer.data, objectAt);
    EXPECT_EQ(object.ObjectNameTitleIndex, kProcessorObject);
    EXPECT_EQ(objectAt + object.TotalByteLength, block.TotalByteLength);
    EXPECT_EQ(object.HeaderLength, sizeof(PERF_OBJECT_TYPE));
    EXPECT_EQ(object.NumCounters, 1u);
    EXPECT_EQ(object.PerfFreq.QuadPart, 10'000'000);
    sample.objectTime = object.PerfTime.QuadPart;

    const auto counter = At<PERF_COUNTER_DEFINITION>(answer.data, objectAt + object.HeaderLength);
    EXPECT_EQ(counter.CounterNameTitleIndex, kIdleTimeCounter);
    EXPECT_EQ(counter.CounterType, static_cast<DWORD>(PERF_100NSEC_TIMER_INV));
    EXPECT_EQ(counter.CounterSize, 8u);
    EXPECT_EQ(object.DefinitionLength, object.HeaderLength + counter.ByteLength);

    std::size_t at = objectAt + object.DefinitionLength;
    for (LONG i = 0; i < object.NumInstances; ++i) {
        const auto instance = At<PERF_INSTANCE_DEFINITION>(answer.data, at);
        EXPECT_EQ(at % 8, 0u) << "instance " << i;
        EXPECT_GE(instance.NameLength, 2u);
        std::wstring name(instance.NameLength / 2 - 1, L'\0');
        std::memcpy(name.data(), answer.data.data() + at + instance.NameOffset,
                    name.size() * sizeof(wchar_t));
        EXPECT_EQ(At<wchar_t>(answer.data, at + instance.NameOffset + name.size() * 2), L'\0');
        const std::size_t counters = at + instance.ByteLength;
        const auto countersLength = At<DWORD>(answer.data, counters);
        EXPECT_GE(countersLength, counter.CounterOffset + counter.CounterSize);
        sample.names.push_back(name);
        sample.idle.push_back(At<std::int64_t>(answer.data, counters + counter.CounterOffset));
        at = counters + countersLength;
    }
    EXPECT_EQ(at, objectAt + object.TotalByteLength) << "the instances fill the object";
    return sample;
}

TEST(PerfProvider, ProcessorObjectIsWhereReadersWalk) {
    const Answer answer = Query("238", 65536);
    ASSERT_EQ(answer.status, ERROR_SUCCESS);
    const auto block = At<PERF_DATA_BLOCK>(answer.data, 0);
    EXPECT_EQ(std::wstring(block.Signature, 4), L"PERF");
    EXPECT_EQ(block.TotalByteLength, answer.size);
    EXPECT_EQ(block.HeaderLength % 8, 0u);
    EXPECT_EQ(block.NumObjectTypes, 1u);
    const auto objects = Objects(answer);
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].first, block.HeaderLength);
    EXPECT_EQ(objects[0].second, kProcessorObject);
}

TEST(PerfProvider, OneInstancePerProcessorAndTheirTotal) {
    const Sample sample = ReadProcessors(Query("238", 65536));
    std::vector<std::wstring> expected;
    for (DWORD i = 0; i < ProcessorCount(); ++i) expected.push_back(std::to_wstring(i));
    expected.push_back(L"_Total");
    EXPECT_EQ(sample.names, expected);
}

TEST(PerfProvider, DataStaysInsideTheBufferAndTheReportedLength) {
    const DWORD needed = Query("238", 65536).size;
    const Answer fits = Query("238", needed);
    EXPECT_EQ(fits.status, ERROR_SUCCESS);
    EXPECT_EQ(fits.size, needed);
    EXPECT_TRUE(fits.guardIntact);
    ReadProcessors(fits);

    const Answer tooSmall = Query("238", needed - 1);
    EXPECT_EQ(tooSmall.status, ERROR_MORE_DATA);
    EXPECT_TRUE(tooSmall.guardIntact);
}

TEST(PerfProvider, ServedForQueriesThatNameIt) {
    struct Case {
        const char* query;
        bool served;
    };
    for (const Case& c :
         {Case{"238", true}, Case{"Global", true}, Case{"230 238", true}, Case{"238 230", true},
          Case{"230", false}, Case{"2380", false}, Case{"Costly", false}}) {
        SCOPED_TRACE(c.query);
        const Answer answer = Query(c.query, 65536);
        ASSERT_EQ(answer.status, ERROR_SUCCESS);
        const auto objects = Objects(answer);
        const bool served = std::any_of(objects.begin(), objects.end(),
                                        [](const auto& o) { return o.second == kProcessorObject; });
        EXPECT_EQ(served, c.served);
    }
}

TEST(PerfProvider, BlockTimeIsTheCountersMoment) {
    // SystemTime has whole milliseconds; the counters' moment must lie within
    // a few of them, not behind the query's remaining work. The closest of a
    // few queries counts, so that one preempted query does not decide.
    std::int64_t closest = INT64_MAX;
    for (int i = 0; i < 5; ++i) {
        const Sample sample = ReadProcessors(Query("238", 65536));
        closest = std::min(closest, std::llabs(sample.blockTime - sample.objectTime));
    }
    RecordProperty("closest_100ns", std::to_string(closest));
    EXPECT_LE(closest, 50'000) << "100 ns units";
}

TEST(PerfProvider, IdleTimeAdvancesAtMostWithTheClock) {
    const Sample first = ReadProcessors(Query("238", 65536));
    Sleep(500);  // the interval measured, not a wait for something to happen
    const Sample second = ReadProcessors(Query("238", 65536));
    ASSERT_EQ(first.idle.size(), second.idle.size());
    ASSERT_GE(first.idle.size(), 2u);
    const std::int64_t span = second.blockTime - first.blockTime;
    ASSERT_GE(span, 4'000'000);
    // /proc/stat counts in 10 ms ticks: one tick either way, and a little for
    // the clocks' drift.
    const std::int64_t slack = 100'000 + span / 50;
    std::int64_t lowest = INT64_MAX;
    std::int64_t highest = INT64_MIN;
    for (std::size_t i = 0; i + 1 < first.idle.size(); ++i) {
        const std::int64_t idle = second.idle[i] - first.idle[i];
        EXPECT_GE(idle, 0) << "processor " << i;
        EXPECT_LE(idle, span + slack) << "processor " << i;
        lowest = std::min(lowest, idle);
        highest = std::max(highest, idle);
    }
    const std::int64_t total = second.idle.back() - first.idle.back();
    EXPECT_GE(total, lowest - 100'000);
    EXPECT_LE(total, highest + 100'000);
}

}  // namespace
