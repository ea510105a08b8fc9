// Writes the seed corpus of the fuzz harnesses into the folder given as the
// only argument: run files of every shape in decode/, and the same kind of
// files with values to save in front of them in save/ (the layout that
// fuzz/fuzz_save.cpp reads). Every file is small and built byte by byte here,
// so the seeds never come from anywhere else.
//
//   make_fuzz_corpus fuzz/corpus
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testkit/RunFileBuilder.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

Bytes AsBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct Seed {
    const char* name;
    Bytes bytes;
};

std::vector<Seed> RunFiles() {
    using B = RunFileBuilder;
    const std::string withNuls("a\0b\r\x80\xe9\xff", 7);
    return {
        {"no-run-data.gtp", B().Build()},
        {"v111-five-records.gtp", B().Version("1.1.1").Records(5, 20).Notes("seven!!").Build()},
        {"v20-five-records.gtp", B().Records(5, 20).Notes("Line 1\rLine 2").Build()},
        {"notes-like-a-record.gtp", B().Records(3, 5).Notes(std::string("abcde\0\0\0\x02xy", 11)).NotesLengthByte(5).Build()},
        {"damaged.gtp", B().Records(6, 8).DamagedRecord(1, 0).DamagedRecord(4, 2).Notes("x").Build()},
        {"to-the-end.gtp", B().Records(8, 10).NoNotes().Build()},
        {"cut-record.gtp", B().Records(4, 10).NoNotes().CutBy(3).Build()},
        {"notes-nul-cp1252.gtp", B().Records(2, 3).Notes(withNuls).Tail(5).Build()},
        {"notes-past-end.gtp", B().Records(2, 4).Notes("short").NotesLengthByte(200).Build()},
        {"empty-notes.gtp", B().Records(3, 3).Notes("").Build()},
        {"record-255.gtp", B().Records(1, 255).Notes("n").Build()},
        {"record-1.gtp", B().Records(40, 1).DamagedRecord(7).Notes("ab").Build()},
        {"beta.gtp", B().Version("2.0 beta").Records(2, 6).Notes("beta").Build()},
        {"lower-tag.gtp", B().VersionField("passversion2.0").Records(2, 6).Notes("lower").Build()},
        {"unknown-tag.gtp", B().VersionField("XASSVERSION2.0").Records(2, 6).Build()},
        {"version-1234.gtp", B().Version("1.2.3.4").Build()},
        {"tag-only.gtp", B().VersionField("PASSVERSION").Build()},
        {"spaced-version.gtp", B().VersionField(" PASSVERSION1.1.1").StartRunDataAt(311).Records(2, 2).Notes("sp").Build()},
        {"cut-in-header.gtp", B().CutTo(200).Build()},
        {"cut-in-version.gtp", B().CutTo(280).Build()},
        {"cut-before-run-data.gtp", B().CutTo(300).Build()},
        {"long-names.gtp", B().RunName(std::string(48, 'R')).VehicleName(std::string(16, 'V')).Records(1, 2).Build()},
        {"padded-names.gtp", B().Raw(20, AsBytes(std::string("  Run 4 \0cd", 11))).Raw(132, Bytes(16, 0x00)).Build()},
        {"high-values.gtp", B().Weight(40000).Redline(65535).ShiftPoint(0).Rollout(255).Pitch(99).Records(1, 1).Build()},
        {"version-moved.gtp", B().Version("1.1.1").StartRunDataAt(312).Records(3, 4).Notes("m").Build()},
        // A last byte from 0xC0 up makes the harness scan through block reads too.
        {"block-reads.gtp", B().Records(3, 5).DamagedRecord(2, 0).Notes("last\xff").Build()},
        {"run-data-only.bin", Bytes{3, 'a', 'b', 'c', 0, 0, 0, 3, 'd', 'e', 'f', 0, 1, 0, 2, 'n', '\r'}},
        {"empty.bin", Bytes{}},
    };
}

// fuzz_save's layout: which values to take, whether they are Windows-1252
// bytes, the length of the values, the values separated by 0x1E, the file.
Bytes SaveSeed(uint8_t taken, bool windows1252, const std::array<std::string, 8>& values, const Bytes& file) {
    std::string joined;
    for (size_t i = 0; i < values.size(); ++i) joined += (i ? "\x1e" : "") + values[i];
    Bytes seed{taken, static_cast<uint8_t>(windows1252 ? 1 : 0), static_cast<uint8_t>(joined.size() >> 8),
               static_cast<uint8_t>(joined.size() & 0xFF)};
    seed.insert(seed.end(), joined.begin(), joined.end());
    seed.insert(seed.end(), file.begin(), file.end());
    return seed;
}

std::vector<Seed> SaveInputs() {
    using B = RunFileBuilder;
    const Bytes v20 = B().Records(5, 20).Notes("old notes").Tail(3).Build();
    const Bytes v111 = B().Version("1.1.1").Records(3, 8).DamagedRecord(1).Notes("x").Build();
    const Bytes toEnd = B().Records(3, 6).NoNotes().Build();
    const Bytes noData = B().Notes("ignored").Build();
    const Bytes pastEnd = B().Records(2, 4).Notes("ab").NotesLengthByte(90).Build();
    const Bytes cutRecord = B().Version("1.1.1").Records(4, 10).DamagedRecord(2, 0).NoNotes().CutBy(3).Build();
    const Bytes longRecords = B().Records(2, 255).DamagedRecord(1, 2).Notes("short").Build();
    const std::array<std::string, 8> valid{"Night run", "Vette", "200", "7000", "6500", "2.5", "9.9", "a\r\nb"};
    const std::array<std::string, 8> garbage{std::string(60, 'n'), "\xce\xa9mega", "heavy", "65536", "-5",
                                             "25.6", "n/a", std::string(300, 'x')};
    const std::array<std::string, 8> cp1252{"\xe9t\xe9", "\x80uro \xff", "1.5", "2.5", "0", "0.04", "0.05",
                                            "caf\xe9\r\n\x93quoted\x94"};
    const std::array<std::string, 8> edges{"trailing  ", std::string("a\0b", 3), " 3000 ", "&HFF", "1e3", ".5",
                                           "9.95", std::string(20, 'L')};
    // The most each field holds, and notes of 254 bytes stored (a CR LF is
    // one CR, "é" one byte; 255 would read as a record of the file's length)
    // that make the file longer.
    std::string notes = "nn";
    for (int i = 0; i < 84; ++i) notes += "\xc3\xa9\r\nn";
    const std::array<std::string, 8> longest{"Run \xe2\x82\xac" + std::string(42, 'r'), std::string(15, 'v'), "65535",
                                             "0", "65535", "25.5", "9.9", notes};
    return {
        {"unchanged-v20.bin", SaveSeed(0x00, false, {}, v20)},
        {"unchanged-v111.bin", SaveSeed(0x00, false, {}, v111)},
        {"valid-v20.bin", SaveSeed(0xFF, false, valid, v20)},
        {"valid-v111.bin", SaveSeed(0xFF, false, valid, v111)},
        {"valid-to-end.bin", SaveSeed(0xFF, false, valid, toEnd)},
        {"valid-no-data.bin", SaveSeed(0xFF, false, valid, noData)},
        {"valid-cut-record.bin", SaveSeed(0xFF, false, valid, cutRecord)},
        {"longest-values.bin", SaveSeed(0xFF, false, longest, longRecords)},
        {"longer-notes-past-end.bin", SaveSeed(0x80, false, {"", "", "", "", "", "", "", std::string(150, 'z')}, pastEnd)},
        {"shorter-notes.bin", SaveSeed(0x80, false, {"", "", "", "", "", "", "", "s"}, v20)},
        {"cp1252.bin", SaveSeed(0xFF, true, cp1252, v20)},
        {"edges.bin", SaveSeed(0xFF, false, edges, v20)},
        {"garbage-run-name.bin", SaveSeed(0x01, false, garbage, v20)},
        {"garbage-vehicle-name.bin", SaveSeed(0x02, false, garbage, v20)},
        {"garbage-weight.bin", SaveSeed(0x04, false, garbage, v20)},
        {"garbage-redline.bin", SaveSeed(0x08, false, garbage, v20)},
        {"garbage-shift-point.bin", SaveSeed(0x10, false, garbage, v20)},
        {"garbage-rollout.bin", SaveSeed(0x20, false, garbage, v20)},
        {"garbage-pitch.bin", SaveSeed(0x40, false, garbage, v20)},
        {"garbage-notes.bin", SaveSeed(0x80, false, garbage, v20)},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    try {
        const fs::path root(argv[1]);
        for (const auto& [folder, seeds] : {std::pair{"decode", RunFiles()}, std::pair{"save", SaveInputs()}}) {
            fs::create_directories(root / folder);
            for (const Seed& seed : seeds) WriteFile(root / folder / seed.name, seed.bytes);
            std::printf("%s: %zu files\n", (root / folder).string().c_str(), seeds.size());
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
