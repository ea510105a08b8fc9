// The window's own load, file list and save, each next to the baseline of the
// same work without the window: the core's read and scan of the same file,
// QDir's listing of the same folder, pwrite and fsync of the same bytes.
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/BenchFiles.h"
#include "main_window/FileListBox.h"
#include "main_window/frmMain.h"
#include "qt_platform/QtEvents.h"
#include "testkit/FakeScreen.h"
#include "testkit/MemorySettings.h"
#include "testkit/WindowAccess.h"

namespace {

using namespace BenchFiles;

// Answers every question No and every notice OK, and keeps the last text so a
// benchmark can tell that something went wrong.
class QuietDialogs : public Dialogs {
public:
    std::string lastText;
    int shown = 0;
    MessageAnswer answer = MessageAnswer::No;  // to questions

    MessageAnswer MessageBox(const std::string& text, MessageIcon, MessageButtons buttons) override {
        lastText = text;
        ++shown;
        return buttons == MessageButtons::OK ? MessageAnswer::OK : answer;
    }
    std::string InputBox(const std::string&, const std::string&) override { return {}; }
};

class NoDocuments : public DocumentOpener {
public:
    bool OpenUrl(const std::string&, LateFailure) override { return false; }
    bool OpenLocalFile(const std::string&, LateFailure) override { return false; }
};

// The real window, shown offscreen, with its file list on a folder of our own.
class BenchWindow {
public:
    explicit BenchWindow(const std::string& folder)
        : window_(std::make_unique<frmMain>(
              WindowServices{dialogs, settings_, screen_, documents_, events_, AppInfo::ForProgramFolder(folder)})) {
        window_->show();
        QCoreApplication::processEvents();
        files_ = window_->findChild<FileListBox*>(QStringLiteral("fileGTP"));
        files_->SetPath(QString::fromStdString(folder));
    }

    frmMain& Window() { return *window_; }
    bool Load() { return WindowAccess::LoadRunFile(*window_); }
    bool Save() { return WindowAccess::SaveRunFile(*window_); }
    FileListBox& Files() { return *files_; }
    void Select(const std::string& name) { files_->SelectFile(QString::fromStdString(name)); }
    QLabel* Label(const char* name) { return window_->findChild<QLabel*>(QString::fromLatin1(name)); }

    QuietDialogs dialogs;

private:
    MemorySettings settings_;
    FakeScreen screen_;
    NoDocuments documents_;
    QtEvents events_;
    std::unique_ptr<frmMain> window_;
    FileListBox* files_ = nullptr;
};

// LoadRunFile as a click on the file runs it: the reads, the scan with the
// window's event rounds, the labels and the damaged-record question.
void LoadInWindow(benchmark::State& state, const Bytes& file, uint64_t records) {
    ScratchFolder folder;
    folder.Write("RUN.GTP", file);
    BenchWindow bench(folder.Path());
    bench.Select("RUN.GTP");
    for (auto _ : state) {
        if (!bench.Load() || static_cast<uint64_t>(bench.Window().lngNumRecords) != records) {
            state.SkipWithError(("the load failed: " + bench.dialogs.lastText).c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

void BM_WindowLoad(benchmark::State& state) {
    LoadInWindow(state, BigRunFile(), DecodeRunFile(BigRunFile()).recordCount);
}
BENCHMARK(BM_WindowLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WindowLoadSmall(benchmark::State& state) { LoadInWindow(state, SmallRunFile(), 1500); }
BENCHMARK(BM_WindowLoadSmall)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A run file in which every record is damaged, as big as BM_WindowLoad's
// (TACHLET_BENCH_ALL_DAMAGED_MB gives another size), written to disk in
// pieces so that the benchmark holds none of it in memory. The user asks to
// see the positions, so the list is built and shown every round. The process's
// peak resident memory is reported: it must not grow with the file.
void BM_WindowLoadAllDamaged(benchmark::State& state) {
    const char* sizeText = std::getenv("TACHLET_BENCH_ALL_DAMAGED_MB");
    const uint64_t size = (sizeText != nullptr ? std::stoull(sizeText) : BigFileSize >> 20) << 20;
    ScratchFolder folder;
    const uint64_t records = WriteAllDamagedRunFile(folder.Path("RUN.GTP"), size);
    BenchWindow bench(folder.Path());
    bench.dialogs.answer = MessageAnswer::Yes;
    bench.Select("RUN.GTP");
    for (auto _ : state) {
        if (!bench.Load() || static_cast<uint64_t>(bench.Window().lngNumRecords) != records ||
            bench.dialogs.lastText.find(" more damaged record(s) not listed.") == std::string::npos) {
            state.SkipWithError(("the load failed: " + bench.dialogs.lastText.substr(0, 200)).c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    state.counters["file_MB"] = static_cast<double>(size >> 20);
    state.counters["peak_RSS_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_WindowLoadAllDamaged)->Unit(benchmark::kMillisecond)->UseRealTime();

// 10,000 files, half of them run files named .gtp, .GTP and .Gtp in turn, the
// other half with other extensions. Returns the bytes of all the names.
int64_t FillFolder(const ScratchFolder& folder) {
    static const char* const extensions[] = {".gtp", ".GTP", ".Gtp", ".txt", ".GTX", ".csv"};
    int64_t nameBytes = 0;
    for (int i = 0; i < 10000; ++i) {
        const bool runFile = i % 2 == 0;
        const std::string name = "run " + std::to_string(i) + extensions[runFile ? (i / 2) % 3 : 3 + (i / 2) % 3];
        BenchFiles::WriteFile(folder.Path(name), {});
        nameBytes += static_cast<int64_t>(name.size());
    }
    return nameBytes;
}

const ScratchFolder& ListedFolder(int64_t* nameBytes) {
    static ScratchFolder folder;
    static const int64_t bytes = FillFolder(folder);
    *nameBytes = bytes;
    return folder;
}

void BM_FileListFill(benchmark::State& state) {
    int64_t nameBytes = 0;
    const ScratchFolder& folder = ListedFolder(&nameBytes);
    ScratchFolder empty;
    BenchWindow bench(empty.Path());
    const QString path = QString::fromStdString(folder.Path());
    for (auto _ : state) {
        bench.Files().SetPath(path);
        if (bench.Files().count() != 5000) {
            state.SkipWithError("the file list does not show the 5,000 run files");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * nameBytes);
}
BENCHMARK(BM_FileListFill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QDirEntryListBaseline(benchmark::State& state) {
    int64_t nameBytes = 0;
    const ScratchFolder& folder = ListedFolder(&nameBytes);
    const QString path = QString::fromStdString(folder.Path());
    for (auto _ : state) {
        const QStringList names = QDir(path).entryList(QStringList{QStringLiteral("*.gtp")}, QDir::Files);
        if (names.size() != 5000) {
            state.SkipWithError("QDir did not list the 5,000 run files");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * nameBytes);
}
BENCHMARK(BM_QDirEntryListBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

// Loads the file, enters the values BM_PwriteFsyncBaseline writes, then saves
// them again and again: every save writes all its fields and syncs.
void BM_SaveInPlace(benchmark::State& state) {
    ScratchFolder folder;
    folder.Write("RUN.GTP", SaveTarget());
    BenchWindow bench(folder.Path());
    bench.Select("RUN.GTP");
    if (!bench.Load()) {
        state.SkipWithError("the load failed");
        return;
    }
    bench.Window().findChild<QPushButton*>(QStringLiteral("cmdEdit"))->click();
    const Stuff::VehicleTexts texts = SavedTexts();
    const std::pair<const char*, std::string> labels[] = {
        {"lblRunName", texts.runName},       {"lblVehicleName", texts.vehicleName},
        {"lblVehicleWeight", texts.weight},  {"lblVehicleRedline", texts.redline},
        {"lblVehicleShiftPoint", texts.shiftPoint}, {"lblVehicleRolloutLength", texts.rollout},
        {"lblPitchFactor", texts.pitch}};
    for (const auto& [name, text] : labels) {
        bench.Label(name)->setText(QString::fromStdString(text));
    }
    bench.Window().findChild<QPlainTextEdit*>(QStringLiteral("txtVehicleNotes"))->setPlainText("new\nnotes");
    for (auto _ : state) {
        if (!bench.Save()) {
            state.SkipWithError(("the save failed: " + bench.dialogs.lastText).c_str());
            break;
        }
    }
    Bytes expected = SaveTarget();
    for (const Stuff::FileWrite& write : SavePlanOfTarget()) {
        expected.resize(std::max<size_t>(expected.size(), write.position - 1 + write.bytes.size()));
        std::copy(write.bytes.begin(), write.bytes.end(), expected.begin() + static_cast<long>(write.position - 1));
    }
    std::ifstream in(folder.Path("RUN.GTP"), std::ios::binary);
    if (Bytes(std::istreambuf_iterator<char>(in), {}) != expected) {
        state.SkipWithError("the file does not hold what the save plan writes");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * BytesOf(SavePlanOfTarget()));
}
BENCHMARK(BM_SaveInPlace)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
