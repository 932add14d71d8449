// Writes the fuzz targets' starting corpus: well-formed inputs, and a few near
// misses, from which the fuzzer's mutations reach the interesting cases much
// sooner than from nothing.
//
//   orbiquell_fuzz_seeds DIR   (writes DIR/perf_data/*, DIR/interface_table/* and
//                               DIR/boot_record/*)
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/monitors/perf_data_builder.h"
#include "tests/uptime/boot_record_xml.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Write(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<Bytes> PerfDataSeeds() {
    using perfdata::Block;
    using perfdata::Object;
    std::vector<Bytes> seeds;
    auto add = [&](const Block& block) { seeds.push_back(perfdata::Build(block).bytes); };

    add(perfdata::ProcessorBlock({100}));
    add(perfdata::ProcessorBlock({7'000'000, 3'000'000, 9'500'000, 10'000'000}));
    Block block = perfdata::ProcessorBlock({1, 2});
    block.objects.pop_back();
    add(block);  // no Processor object
    block = perfdata::ProcessorBlock({1});
    block.objects.back().counters = {142, 144};
    add(block);  // no idle-time counter
    block = perfdata::ProcessorBlock({});
    block.objects.back().instances = {{u"_Total", 5}, {u"12", 6}, {u"", 7}};
    add(block);
    block.objects = {Object{230, {6, 180}, {{u"0", 1}}},
                     Object{perfdata::kProcessorObject, {142, 6}, {{u"0", 2}}}};
    add(block);
    add(Block{});  // what Wine serves without a provider: no objects
    const Bytes whole = perfdata::Build(perfdata::ProcessorBlock({1, 2})).bytes;
    seeds.emplace_back(whole.begin(),
                       whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
    return seeds;
}

Bytes InterfaceTable(std::uint32_t entries, std::size_t rows) {
    Bytes table(4 + rows * 860, 0);
    std::memcpy(table.data(), &entries, sizeof entries);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::uint32_t in = 1000 * static_cast<std::uint32_t>(row + 1);
        const std::uint32_t out = 0x7FFFFFF0u;
        std::memcpy(table.data() + 4 + row * 860 + 552, &in, sizeof in);
        std::memcpy(table.data() + 4 + row * 860 + 576, &out, sizeof out);
    }
    return table;
}

// Start records as UTF-16 bytes, the way the fuzz target reads its input.
std::vector<Bytes> BootRecordSeeds() {
    using boot_record_xml::Edited;
    using boot_record_xml::Record;
    const std::u16string texts[] = {
        Record(u"2026-12-09T08:00:00.1234567Z", u"0x1"),
        Record(u"2017-05-02T03:06:36.126959500Z", u"2"),
        Edited(Record(u"1601-01-01T00:00:00Z", u"0"), u"'/>", u"' Other='x' />"),
        Edited(Record(u"2026-12-09T08:00:00Z", u"0"), u"<Correlation/>",
               u"<!-- a comment --><a><b c='&amp;'>text</b></a>"),
        Edited(Record(u"2026-12-09T08:00:00Z", u"1"), u"<EventID>27", u"<EventID>28"),
    };
    std::vector<Bytes> seeds;
    for (const std::u16string& text : texts) {
        Bytes bytes(text.size() * sizeof(char16_t));
        std::memcpy(bytes.data(), text.data(), bytes.size());
        seeds.push_back(bytes);
    }
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const std::vector<Bytes> perfData = PerfDataSeeds();
    for (std::size_t i = 0; i < perfData.size(); ++i) {
        Write(dir / "perf_data", "seed-" + std::to_string(i), perfData[i]);
    }
    const Bytes tables[] = {InterfaceTable(0, 0), InterfaceTable(1, 1), InterfaceTable(3, 3),
                            InterfaceTable(3, 2), Bytes{1, 0}};
    for (std::size_t i = 0; i < std::size(tables); ++i) {
        Write(dir / "interface_table", "seed-" + std::to_string(i), tables[i]);
    }
    const std::vector<Bytes> bootRecords = BootRecordSeeds();
    for (std::size_t i = 0; i < bootRecords.size(); ++i) {
        Write(dir / "boot_record", "seed-" + std::to_string(i), bootRecords[i]);
    }
    return 0;
}
