#include "monitors/perf_data_walker.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "monitors/cpu_load_error.h"

namespace {

// The records and the fields read from them: byte offsets within each record,
// the same on 32-bit and 64-bit Windows.
constexpr std::uint8_t kSignature[] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};  // UTF-16 "PERF"
constexpr std::size_t kDataBlockSize = 84;  // as much of PERF_DATA_BLOCK as is taken
constexpr std::size_t kBlockHeaderLength = 24;
constexpr std::size_t kBlockNumObjectTypes = 28;
constexpr std::size_t kBlockSystemTime = 36;

constexpr std::size_t kObjectSize = 64;  // PERF_OBJECT_TYPE
constexpr std::size_t kObjectTotalByteLength = 0;
constexpr std::size_t kObjectDefinitionLength = 4;
constexpr std::size_t kObjectHeaderLength = 8;
constexpr std::size_t kObjectNameTitleIndex = 12;
constexpr std::size_t kObjectNumCounters = 32;
constexpr std::size_t kObjectNumInstances = 40;

constexpr std::size_t kCounterDefinitionSize = 40;  // PERF_COUNTER_DEFINITION
constexpr std::size_t kCounterByteLength = 0;
constexpr std::size_t kCounterNameTitleIndex = 4;
constexpr std::size_t kCounterOffset = 36;

constexpr std::size_t kInstanceSize = 24;  // PERF_INSTANCE_DEFINITION
constexpr std::size_t kInstanceByteLength = 0;
constexpr std::size_t kInstanceNameOffset = 16;
constexpr std::size_t kInstanceNameLength = 20;

constexpr std::size_t kCounterBlockSize = 4;  // PERF_COUNTER_BLOCK: its ByteLength

constexpr std::int32_t kProcessorObjectIndex = 238;
constexpr std::int32_t kProcessorTimeCounterIndex = 6;  // counts idle time, 100 ns units
constexpr std::int64_t kInstanceNumberCap = std::int64_t{1} << 40;

// The bytes the system returned, read only where they are: every read and
// every step checks its extent first and raises CorruptPerfDataError for one
// that would leave them. Offsets are kept within 0 to size, so no sum of an
// offset and a checked length can wrap around.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Holds(std::size_t at, std::size_t length) const {
        return at <= size_ && length <= size_ - at;
    }

    void Require(std::size_t at, std::size_t length, const char* what) const {
        if (!Holds(at, length))
            throw CorruptPerfDataError(std::string(what) + " reaches past the data");
    }

    // The position `by` bytes on from `at`; by comes from the data, so a
    // negative one or one that leaves the data is refused.
    std::size_t Offset(std::size_t at, std::int32_t by, const char* what) const {
        if (by < 0 || !Holds(at, static_cast<std::size_t>(by))) {
            throw CorruptPerfDataError(std::string(what) + " lies outside the data");
        }
        return at + static_cast<std::size_t>(by);
    }

    // The record after the one at `at` that says it is `length` bytes long. A
    // record shorter than its own fixed part would put the next one inside it,
    // and one of length 0 would have the walk read the same record forever.
    std::size_t Next(std::size_t at, std::int32_t length, std::size_t minimum,
                     const char* what) const {
        if (length < 0 || static_cast<std::size_t>(length) < minimum) {
            throw CorruptPerfDataError(std::string(what) + " is shorter than its header");
        }
        return Offset(at, length, what);
    }

    std::int32_t Long(std::size_t at) const { return Read<std::int32_t>(at); }
    std::uint16_t Word(std::size_t at) const { return Read<std::uint16_t>(at); }
    std::int64_t LongLong(std::size_t at) const { return Read<std::int64_t>(at); }

    bool StartsWith(const std::uint8_t* prefix, std::size_t length) const {
        return Holds(0, length) && std::memcmp(data_, prefix, length) == 0;
    }

  private:
    template <typename T>
    T Read(std::size_t at) const {
        Require(at, sizeof(T), "a field");
        T value;
        std::memcpy(&value, data_ + at, sizeof value);
        return value;
    }

    const std::uint8_t* data_;
    std::size_t size_;
};

// A count of records from the data. Windows marks an object without instances
// with -1; the Processor object always has them, and a walk over none would
// leave every counter unchanged and report full load, so any negative count is
// refused.
std::int32_t Count(std::int32_t count, const char* what) {
    if (count < 0) throw CorruptPerfDataError(std::string("negative count of ") + what);
    return count;
}

platform::SystemTime SystemTimeAt(const Bytes& bytes, std::size_t at) {
    platform::SystemTime time;
    std::uint16_t* fields[] = {&time.year, &time.month,  &time.dayOfWeek, &time.day,
                               &time.hour, &time.minute, &time.second,    &time.milliseconds};
    for (std::uint16_t* field : fields) {
        *field = bytes.Word(at);
        at += sizeof(std::uint16_t);
    }
    return time;
}

// The number an instance's name spells, or nothing for a name that is not made
// of decimal digits alone (the "_Total" instance).
std::optional<std::int64_t> InstanceNumber(const Bytes& bytes, std::size_t instance) {
    // NameLength counts the name's UTF-16 characters and its terminating null.
    const std::int32_t nameLength = bytes.Long(instance + kInstanceNameLength);
    if (nameLength < 2 || nameLength % 2 != 0) {
        throw CorruptPerfDataError("an instance name has an impossible length");
    }
    const std::size_t name =
        bytes.Offset(instance, bytes.Long(instance + kInstanceNameOffset), "an instance name");
    const auto nameBytes = static_cast<std::size_t>(nameLength) - 2;
    bytes.Require(name, nameBytes, "an instance name");
    if (nameBytes == 0) return std::nullopt;

    std::int64_t number = 0;
    for (std::size_t at = name; at < name + nameBytes; at += 2) {
        const std::uint16_t character = bytes.Word(at);
        if (character < u'0' || character > u'9') return std::nullopt;
        number = std::min(number * 10 + (character - u'0'), kInstanceNumberCap);
    }
    return number;
}

}  // namespace

ProcessorObject LocateProcessorObject(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, size);
    // A failed query leaves nothing to read, so it ends up here too.
    if (!bytes.StartsWith(kSignature, sizeof kSignature)) {
        throw CPULoadError(CPULoadFailure::kUnreadableData);
    }
    bytes.Require(0, kDataBlockSize, "the data block's header");

    ProcessorObject found;
    found.systemTime = SystemTimeAt(bytes, kBlockSystemTime);
    const std::int32_t objects = Count(bytes.Long(kBlockNumObjectTypes), "objects");
    std::size_t at = bytes.Offset(0, bytes.Long(kBlockHeaderLength), "the first object");
    for (std::int32_t i = 0; i < objects; ++i) {
        bytes.Require(at, kObjectSize, "an object");
        if (bytes.Long(at + kObjectNameTitleIndex) == kProcessorObjectIndex) {
            found.offset = at;
            return found;
        }
        at = bytes.Next(at, bytes.Long(at + kObjectTotalByteLength), kObjectSize, "an object");
    }
    throw CPULoadError(CPULoadFailure::kNoProcessorObject);
}

std::vector<ProcessorCounter> ReadProcessorCounters(const std::uint8_t* data, std::size_t size,
                                                    const ProcessorObject& object) {
    const Bytes bytes(data, size);
    const std::size_t start = object.offset;
    bytes.Require(start, kObjectSize, "the Processor object");

    // The counter definitions follow the object's header.
    const std::int32_t definitions = Count(bytes.Long(start + kObjectNumCounters), "counters");
    std::size_t at =
        bytes.Offset(start, bytes.Long(start + kObjectHeaderLength), "the counter definitions");
    std::optional<std::int32_t> counterOffset;
    for (std::int32_t i = 0; i < definitions; ++i) {
        bytes.Require(at, kCounterDefinitionSize, "a counter definition");
        if (bytes.Long(at + kCounterNameTitleIndex) == kProcessorTimeCounterIndex) {
            counterOffset = bytes.Long(at + kCounterOffset);
            break;
        }
        at = bytes.Next(at, bytes.Long(at + kCounterByteLength), kCounterDefinitionSize,
                        "a counter definition");
    }
    if (!counterOffset) throw CPULoadError(CPULoadFailure::kNoProcessorTimeCounter);

    // The instances follow the definitions, each with its counter block.
    std::vector<ProcessorCounter> counters;
    const std::int32_t instances = Count(bytes.Long(start + kObjectNumInstances), "instances");
    at = bytes.Offset(start, bytes.Long(start + kObjectDefinitionLength), "the first instance");
    for (std::int32_t i = 0; i < instances; ++i) {
        bytes.Require(at, kInstanceSize, "an instance");
        const std::optional<std::int64_t> number = InstanceNumber(bytes, at);
        const std::size_t block =
            bytes.Next(at, bytes.Long(at + kInstanceByteLength), kInstanceSize, "an instance");
        bytes.Require(block, kCounterBlockSize, "a counter block");
        const std::int32_t blockLength = bytes.Long(block);
        if (number) {
            if (*counterOffset < 0 ||
                std::int64_t{*counterOffset} + std::int64_t{sizeof(std::int64_t)} > blockLength) {
                throw CorruptPerfDataError("the idle-time counter lies outside its counter block");
            }
            const std::size_t counter = bytes.Offset(block, *counterOffset, "a counter");
            counters.push_back({*number, bytes.LongLong(counter)});
        }
        at = bytes.Next(block, blockLength, kCounterBlockSize, "a counter block");
    }
    return counters;
}
