#pragma once
// The run files the benchmarks measure with, shared so that a window benchmark
// and its baseline read the very same bytes.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "run_file/Stuff.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/RunFileDecode.h"

namespace BenchFiles {

using Bytes = std::vector<uint8_t>;

inline constexpr size_t BigFileSize = 100u << 20;
inline constexpr uint8_t RecordLength = 20;

// A run file of about 100 MB: records of 20 bytes, one of them damaged, then
// short notes.
inline const Bytes& BigRunFile() {
    static const Bytes file = [] {
        const auto count = static_cast<uint32_t>((BigFileSize - 312 - 16) / (RecordLength + 4u));
        return RunFileBuilder().Records(count, RecordLength).DamagedRecord(count / 2).Notes("bench notes").Build();
    }();
    return file;
}

// A run file of 1,500 records of 20 bytes: about 36 KB, a long run as PASS
// writes it.
inline const Bytes& SmallRunFile() {
    static const Bytes file = RunFileBuilder().Records(1500, RecordLength).Notes("bench notes").Build();
    return file;
}

// Writes a run file of about `size` bytes whose every record (20 data bytes)
// has a damaged separator, a megabyte at a time; returns the record count.
inline uint64_t WriteAllDamagedRunFile(const std::string& path, uint64_t size) {
    const Bytes start = RunFileBuilder().Records(1, RecordLength).DamagedRecord(0).NoNotes().Build();
    const Bytes header(start.begin(), start.end() - (RecordLength + 4));
    const Bytes record(start.end() - (RecordLength + 4), start.end());
    const uint64_t records = (size - header.size() - 16) / record.size();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    Bytes block;
    for (size_t i = 0; i < (1u << 20) / record.size(); ++i) block.insert(block.end(), record.begin(), record.end());
    const uint64_t perBlock = block.size() / record.size();
    for (uint64_t written = 0; written < records; written += perBlock) {
        const uint64_t count = std::min(perBlock, records - written);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(count * record.size()));
    }
    const char notes[] = "\x0b" "bench notes";
    out.write(notes, sizeof notes - 1);
    if (!out) throw std::runtime_error("cannot write " + path);
    return records;
}

// The largest resident size the process has had, in megabytes.
inline double PeakResidentMegabytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The file every save benchmark writes into, and the values it writes.
inline Bytes SaveTarget() { return RunFileBuilder().Records(50, RecordLength).Notes("old notes").Build(); }
inline Stuff::VehicleTexts SavedTexts() {
    return {"Night run", "Vette", "3200", "7000", "6500", "2.5", "9.9", "new\r\nnotes"};
}
inline Stuff::SavePlan SavePlanOfTarget() {
    return Stuff::MakeSavePlan(SavedTexts(), DecodeRunFile(SaveTarget()).state);
}
inline int64_t BytesOf(const Stuff::SavePlan& plan) {
    int64_t total = 0;
    for (const Stuff::FileWrite& write : plan) total += static_cast<int64_t>(write.bytes.size());
    return total;
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

// A folder of its own in the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tachlet-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    std::string Write(const std::string& name, const Bytes& bytes) const {
        WriteFile(Path(name), bytes);
        return Path(name);
    }

private:
    std::string path_;
};

}  // namespace BenchFiles
