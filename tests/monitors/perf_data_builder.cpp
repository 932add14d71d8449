#include "tests/monitors/perf_data_builder.h"

#include <cstring>

namespace perfdata {
namespace {

constexpr std::size_t kDataBlockSize = 88;  // PERF_DATA_BLOCK
constexpr std::size_t kObjectSize = 64;
constexpr std::size_t kCounterDefinitionSize = 40;
constexpr std::size_t kInstanceSize = 24;
constexpr std::size_t kCounterBlockHeader = 8;       // ByteLength and padding to 8 bytes
constexpr std::int32_t kNoInstances = -1;            // PERF_NO_INSTANCES
constexpr std::int32_t kNoUniqueId = -1;             // PERF_NO_UNIQUE_ID
constexpr std::uint32_t kTimerInverse = 0x20510500;  // PERF_100NSEC_TIMER_INV
constexpr std::uint32_t kRawCount = 0x00010000;      // PERF_COUNTER_RAWCOUNT
constexpr std::u16string_view kSystemName = u"SIMPC";

std::size_t RoundUpTo8(std::size_t size) {
    return (size + 7) / 8 * 8;
}

class Writer {
  public:
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    std::size_t Reserve(std::size_t length) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + length, 0);
        return at;
    }
    template <typename T>
    void Put(std::size_t at, T value) {
        std::memcpy(bytes_.data() + at, &value, sizeof value);
    }
    void PutText(std::size_t at, std::u16string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) Put<char16_t>(at + 2 * i, text[i]);
    }

  private:
    std::vector<std::uint8_t> bytes_;
};

// A value no walk should ever take for an idle time: the counters other than
// the idle-time one get it, differing by counter and instance.
std::int64_t Filler(std::size_t counter, std::size_t instance) {
    return 0x0F0F0F0F00000000 + static_cast<std::int64_t>(counter * 1000 + instance);
}

std::size_t PutCounterBlock(Writer& out, const Object& object, std::int64_t idleTime,
                            std::size_t instance) {
    const std::size_t length = kCounterBlockHeader + 8 * object.counters.size();
    const std::size_t at = out.Reserve(length);
    out.Put<std::int32_t>(at + kCounterBlockByteLength, static_cast<std::int32_t>(length));
    for (std::size_t c = 0; c < object.counters.size(); ++c) {
        const std::int64_t value =
            object.counters[c] == kProcessorTime ? idleTime : Filler(c, instance);
        out.Put<std::int64_t>(at + kCounterBlockHeader + 8 * c, value);
    }
    return at;
}

void PutObject(Writer& out, const Object& object, Built& built, bool isFirstProcessor) {
    const std::size_t start = out.Reserve(kObjectSize);
    built.objects.push_back(start);
    if (isFirstProcessor) built.processor = start;

    for (std::size_t c = 0; c < object.counters.size(); ++c) {
        const std::size_t at = out.Reserve(kCounterDefinitionSize);
        if (isFirstProcessor) built.counterDefinitions.push_back(at);
        const std::int32_t title = object.counters[c];
        out.Put<std::int32_t>(at + kCounterByteLength, kCounterDefinitionSize);
        out.Put<std::int32_t>(at + kCounterNameTitleIndex, title);
        out.Put<std::int32_t>(at + 12, title + 1);  // CounterHelpTitleIndex
        out.Put<std::int32_t>(at + 24, 100);        // DetailLevel: novice
        out.Put<std::uint32_t>(at + 28, title == kProcessorTime ? kTimerInverse : kRawCount);
        out.Put<std::int32_t>(at + 32, 8);  // CounterSize
        out.Put<std::int32_t>(at + kCounterOffset,
                              static_cast<std::int32_t>(kCounterBlockHeader + 8 * c));
    }
    const std::size_t definitionLength = out.size() - start;

    if (object.instances.empty()) {
        PutCounterBlock(out, object, 0, 0);
    }
    for (std::size_t i = 0; i < object.instances.size(); ++i) {
        const Instance& instance = object.instances[i];
        const std::size_t nameLength = 2 * (instance.name.size() + 1);
        const std::size_t length = RoundUpTo8(kInstanceSize + nameLength);
        const std::size_t at = out.Reserve(length);
        out.Put<std::int32_t>(at + kInstanceByteLength, static_cast<std::int32_t>(length));
        out.Put<std::int32_t>(at + 12, kNoUniqueId);
        out.Put<std::int32_t>(at + kInstanceNameOffset, kInstanceSize);
        out.Put<std::int32_t>(at + kInstanceNameLength, static_cast<std::int32_t>(nameLength));
        out.PutText(at + kInstanceSize, instance.name);
        const std::size_t block = PutCounterBlock(out, object, instance.idleTime, i);
        if (isFirstProcessor) {
            built.instances.push_back(at);
            built.counterBlocks.push_back(block);
        }
    }

    out.Put<std::int32_t>(start + kObjectTotalByteLength,
                          static_cast<std::int32_t>(out.size() - start));
    out.Put<std::int32_t>(start + kObjectDefinitionLength,
                          static_cast<std::int32_t>(definitionLength));
    out.Put<std::int32_t>(start + kObjectHeaderLength, kObjectSize);
    out.Put<std::int32_t>(start + kObjectNameTitleIndex, object.titleIndex);
    out.Put<std::int32_t>(start + 20, object.titleIndex + 1);  // ObjectHelpTitleIndex
    out.Put<std::int32_t>(start + 28, 100);                    // DetailLevel
    out.Put<std::int32_t>(start + kObjectNumCounters,
                          static_cast<std::int32_t>(object.counters.size()));
    out.Put<std::int32_t>(start + kObjectNumInstances,
                          object.instances.empty()
                              ? kNoInstances
                              : static_cast<std::int32_t>(object.instances.size()));
    out.Put<std::int64_t>(start + 56, 10'000'000);  // PerfFreq
}

}  // namespace

Built Build(const Block& block) {
    Writer out;
    Built built;
    const std::size_t nameBytes = 2 * (kSystemName.size() + 1);
    out.Reserve(RoundUpTo8(kDataBlockSize + nameBytes));
    out.PutText(0, u"PERF");
    out.Put<std::int32_t>(8, 1);   // LittleEndian
    out.Put<std::int32_t>(12, 1);  // Version
    out.Put<std::int32_t>(16, 1);  // Revision
    out.Put<std::int32_t>(kBlockHeaderLength, static_cast<std::int32_t>(out.size()));
    out.Put<std::int32_t>(kBlockNumObjectTypes, static_cast<std::int32_t>(block.objects.size()));
    out.Put<std::int32_t>(32, kProcessorObject);  // DefaultObject
    const platform::SystemTime& t = block.time;
    const std::uint16_t fields[] = {t.year, t.month,  t.dayOfWeek, t.day,
                                    t.hour, t.minute, t.second,    t.milliseconds};
    for (std::size_t i = 0; i < 8; ++i) out.Put<std::uint16_t>(kBlockSystemTime + 2 * i, fields[i]);
    out.Put<std::int64_t>(64, 10'000'000);  // PerfFreq
    out.Put<std::int32_t>(80, static_cast<std::int32_t>(nameBytes));
    out.Put<std::int32_t>(84, kDataBlockSize);
    out.PutText(kDataBlockSize, kSystemName);

    bool processorSeen = false;
    for (const Object& object : block.objects) {
        const bool isProcessor = object.titleIndex == kProcessorObject && !processorSeen;
        PutObject(out, object, built, isProcessor);
        processorSeen = processorSeen || isProcessor;
    }
    if (out.size() < block.minimumSize) out.Reserve(block.minimumSize - out.size());
    out.Put<std::int32_t>(kBlockTotalByteLength, static_cast<std::int32_t>(out.size()));
    built.bytes = std::move(out.bytes());
    return built;
}

Block ProcessorBlock(const std::vector<std::int64_t>& idleTimes, const platform::SystemTime& time) {
    Object processor;
    processor.counters = {kProcessorTime, 142, 144};
    std::int64_t total = 0;
    for (std::size_t i = 0; i < idleTimes.size(); ++i) {
        const std::string number = std::to_string(i);
        processor.instances.push_back({std::u16string(number.begin(), number.end()), idleTimes[i]});
        total += idleTimes[i];
    }
    processor.instances.push_back({u"_Total", total});

    Block block;
    block.time = time;
    block.objects = {Object{2, {10, 12, 14}, {}}, Object{4, {22, 24}, {}}, processor};
    return block;
}

void PutLong(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

}  // namespace perfdata
