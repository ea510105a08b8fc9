// The load's scan and the save's writes, each next to a baseline of what the
// machine does with the same bytes and no run-file logic at all.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "bench/BenchFiles.h"
#include "run_file/Stuff.h"
#include "support/LockedFile.h"

namespace {

using namespace BenchFiles;

// One file in a scratch folder for the life of the program.
class ScratchFile {
public:
    explicit ScratchFile(const Bytes& bytes) : path_(folder_.Write("RUN.GTP", bytes)) {}
    const std::string& Path() const { return path_; }

private:
    ScratchFolder folder_;
    std::string path_;
};

// Fails the benchmark when the scan did not see what the file holds.
bool Scanned(benchmark::State& state, const DecodedRunFile& loaded) {
    if (loaded.recordCount != 0 && loaded.damaged.size() == 1 && loaded.state.NotesPosition) return true;
    state.SkipWithError("the scan did not find the records of the file");
    return false;
}

void BM_MemchrBaseline(benchmark::State& state) {
    const Bytes buffer(BigFileSize, 0x5A);
    for (auto _ : state) {
        const void* found = std::memchr(buffer.data(), 0x00, buffer.size());
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(buffer.size()));
}
BENCHMARK(BM_MemchrBaseline)->Unit(benchmark::kMillisecond);

void BM_ScanRunData(benchmark::State& state) {
    const Bytes& file = BigRunFile();
    for (auto _ : state) {
        Stuff::MemoryByteSource source(file);
        const DecodedRunFile loaded = DecodeRunFile(source);
        benchmark::DoNotOptimize(loaded.recordCount);
        if (!Scanned(state, loaded)) break;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_ScanRunData)->Unit(benchmark::kMillisecond);

// Opens the file with its lock and reads it through the
// file's byte source, as a load does; the file is in the page cache after the
// first round.
void BM_ReadAndScanFile(benchmark::State& state) {
    static const ScratchFile scratch(BigRunFile());
    for (auto _ : state) {
        LockedFile file(scratch.Path(), LockedFile::OpenMode::Read);
        Stuff::FileByteSource source(file);
        const DecodedRunFile loaded = DecodeRunFile(source);
        file.Close();
        benchmark::DoNotOptimize(loaded.recordCount);
        if (!Scanned(state, loaded)) break;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(BigRunFile().size()));
}
BENCHMARK(BM_ReadAndScanFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The writes of a full save of a small run file, each with pwrite, then one
// fsync: what any save costs at the least on this disk.
void BM_PwriteFsyncBaseline(benchmark::State& state) {
    static const ScratchFile scratch(SaveTarget());
    const Stuff::SavePlan plan = SavePlanOfTarget();
    const int64_t planBytes = BytesOf(plan);

    const int descriptor = ::open(scratch.Path().c_str(), O_RDWR);
    if (descriptor < 0) {
        state.SkipWithError("cannot open the scratch file");
        return;
    }
    for (auto _ : state) {
        for (const Stuff::FileWrite& write : plan) {
            const auto offset = static_cast<off_t>(write.position - 1);
            if (::pwrite(descriptor, write.bytes.data(), write.bytes.size(), offset) !=
                static_cast<ssize_t>(write.bytes.size())) {
                state.SkipWithError("pwrite failed");
                break;
            }
        }
        if (::fsync(descriptor) != 0) {
            state.SkipWithError("fsync failed");
            break;
        }
    }
    ::close(descriptor);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * planBytes);
}
BENCHMARK(BM_PwriteFsyncBaseline)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
