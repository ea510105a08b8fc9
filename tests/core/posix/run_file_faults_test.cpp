// Faults only a real process on Linux can show: a save killed between any two
// of its writes, another file renamed over the path while a save holds the
// file, record locks of other programs, and named pipes and devices under a
// run file's name. The save runs in run_file_saver, with write_faults loaded
// into it to kill it or stop it at the right call.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/RunFileFolderTest.h"
#include "testkit/ErrorNumberOf.h"

extern char** environ;

using namespace Stuff;

namespace {

// run_file_saver started with the fault library and `fault` (NAME=VALUE) in
// its environment; all it needs is made before the fork.
pid_t StartSaver(std::string path, std::string runName, std::string notes, std::string fault) {
    std::vector<std::string> env{std::string("LD_PRELOAD=") + TACHLET_WRITE_FAULTS, std::move(fault),
                                 "ASAN_OPTIONS=verify_asan_link_order=0"};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (text.rfind("ASAN_OPTIONS=", 0) == 0) env[2] += ":" + text.substr(13);
        else if (text.rfind("LD_PRELOAD=", 0) != 0) env.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& text : env) envp.push_back(text.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(TACHLET_RUN_FILE_SAVER), path.data(), runName.data(), notes.data(), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        ::execve(argv[0], argv, envp.data());
        ::_exit(127);
    }
    return child;
}

int WaitFor(pid_t child, int options = 0) {
    int status = 0;
    while (::waitpid(child, &status, options) < 0 && errno == EINTR) {
    }
    return status;
}

int SaveStatusOf(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

using RunFileFaultsTest = RunFileFolderTest;

// The regions a save writes, each written whole: the fixed fields and the
// notes block of `block` bytes.
std::vector<std::pair<size_t, size_t>> SavedRegions(uint64_t notesPosition, size_t block) {
    std::vector<std::pair<size_t, size_t>> regions;
    for (const FieldSpec& spec : RunFileFields) {
        if (spec.field != Field::Version) regions.emplace_back(spec.Offset(), spec.width);
    }
    regions.emplace_back(notesPosition - 1, block);
    return regions;
}

// Each region of `now` holds either what it held before the save or what
// the completed save left there, and every other byte is as before. A byte
// past a file's end counts as 0.
void ExpectEachRegionOldOrNew(Bytes now, Bytes before, Bytes after,
                              const std::vector<std::pair<size_t, size_t>>& regions) {
    const size_t size = std::max({now.size(), before.size(), after.size()});
    now.resize(size), before.resize(size), after.resize(size);
    for (const auto& [offset, width] : regions) {
        const auto from = static_cast<std::ptrdiff_t>(offset), to = static_cast<std::ptrdiff_t>(offset + width);
        const bool old = std::equal(now.begin() + from, now.begin() + to, before.begin() + from);
        const bool saved = std::equal(now.begin() + from, now.begin() + to, after.begin() + from);
        EXPECT_TRUE(old || saved) << "the region at offset " << offset << " is neither as before nor as saved";
        std::copy(before.begin() + from, before.begin() + to, now.begin() + from);  // so that only the rest is compared
    }
    const auto changed = std::mismatch(now.begin(), now.end(), before.begin()).first - now.begin();
    EXPECT_EQ(changed, static_cast<std::ptrdiff_t>(size)) << "a byte outside the regions changed at offset " << changed;
}

}  // namespace

// The save is killed before each of its writes in turn until it completes;
// after every kill the file loads with the old notes or the new ones, never a
// mix, however the notes' length changes.
TEST_F(RunFileFaultsTest, ASaveKilledBeforeAnyOfItsWritesLeavesOldOrNewNotes) {
    const struct {
        const char* what;
        Bytes file;
        std::string notes;
    } cases[] = {
        {"longer, the file grows", RunFileBuilder().Records(3, 4).Notes("old notes").Build(),
         "new notes,\r\nmuch longer than the old ones\r\n" + std::string(120, 'n')},
        {"shorter", RunFileBuilder().Records(3, 4).Notes(std::string(40, 'o')).Tail(9).Build(), "short"},
        {"as long", RunFileBuilder().Records(3, 4).Notes("same size").Build(), "SAME\r\nSIZE"},
        // Notes the file's end cuts short read as the bytes there are: room
        // taken for longer ones must not show as more.
        {"longer than notes the file's end cuts short",
         RunFileBuilder().Records(3, 4).Notes("cut short by the end").CutBy(8).Build(), std::string(60, 'N')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Write("RUN.GTP", c.file);
        const RunFileContents before = LoadFrom(path);
        ASSERT_EQ(SaveStatusOf(WaitFor(StartSaver(path, "Saved run", c.notes, "TACHLET_KILL_AT_WRITE=0"))), 0);
        const Bytes after = Read("RUN.GTP");
        const RunFileContents saved = LoadFrom(path);
        ASSERT_EQ(saved.values.notes, c.notes);
        ASSERT_EQ(saved.values.runName, "Saved run");
        const uint64_t notesPosition = *before.notesPosition;
        const auto regions = SavedRegions(notesPosition, 1 + after[notesPosition - 1] + 1);
        ExpectEachRegionOldOrNew(after, c.file, after, regions);  // the completed save wrote nothing else

        int kills = 0;
        for (int n = 1; n < 30; ++n) {
            Write("RUN.GTP", c.file);
            const int status = WaitFor(StartSaver(path, "Saved run", c.notes, "TACHLET_KILL_AT_WRITE=" + std::to_string(n)));
            const Bytes now = Read("RUN.GTP");
            if (!WIFSIGNALED(status)) {
                EXPECT_EQ(SaveStatusOf(status), 0);
                EXPECT_EQ(now, after);
                break;
            }
            SCOPED_TRACE("killed before write " + std::to_string(n));
            ASSERT_EQ(WTERMSIG(status), SIGKILL);
            ++kills;
            ExpectEachRegionOldOrNew(now, c.file, after, regions);
            const std::string notes = LoadFrom(path).values.notes;
            EXPECT_TRUE(notes == before.values.notes || notes == saved.values.notes) << notes;
        }
        // Every field and the notes were written apart, and a kill came before each.
        EXPECT_GE(kills, 8);
    }
}

// The room for longer notes is taken before the first write: a disk that
// another program fills up meanwhile stops none of the writes.
TEST_F(RunFileFaultsTest, RoomTakenForLongerNotesHoldsWhenTheDiskFillsDuringTheSave) {
    const SmallDisk disk(folder.Path("disk"), 64);
    if (NoSmallDisk(disk)) return;
    const std::string path = WriteBytes(disk.Path() + "/RUN.GTP", OnePageFile());
    const pid_t saver = StartSaver(path, "Saved run", std::string(200, 'N'), "TACHLET_STOP_AT=pwrite:1");
    ASSERT_TRUE(WIFSTOPPED(WaitFor(saver, WUNTRACED)));
    FillUp(disk.Path());
    ::kill(saver, SIGCONT);
    EXPECT_EQ(SaveStatusOf(WaitFor(saver)), 0);
    EXPECT_EQ(LoadFrom(path).values.notes, std::string(200, 'N'));
}

// Another file renamed over the path while the save had it open but not yet
// locked: the save does not write into the file the path no longer names.
// Renamed over it during the writes: the save does not report success.
TEST_F(RunFileFaultsTest, AFileRenamedOverThePathDuringTheSaveIsReportedAsAChange) {
    const std::string path = Write("RUN.GTP", Loaded);
    std::filesystem::create_hard_link(FsPath(path), FsPath(folder.Path("KEPT.GTP")));  // the file loaded, for now
    const Bytes theirs = RunFileBuilder().RunName("Theirs").Records(3, 4).Notes("notes").Tail(9).Build();
    const struct {
        const char *name, *stop;
        const Bytes& kept;  // what KEPT.GTP holds afterwards
    } cases[] = {
        {"RUN.GTP", "flock:2", Loaded},   // stopped at the save's lock (the load took the first)
        {"KEPT.GTP", "fsync:1", theirs},  // stopped after its writes, before they are flushed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stop);
        const pid_t saver = StartSaver(folder.Path(c.name), "Saved run", "new notes", std::string("TACHLET_STOP_AT=") + c.stop);
        ASSERT_TRUE(WIFSTOPPED(WaitFor(saver, WUNTRACED)));
        std::filesystem::rename(FsPath(Write("THEIRS.GTP", theirs)), FsPath(folder.Path(c.name)));
        ::kill(saver, SIGCONT);
        EXPECT_EQ(SaveStatusOf(WaitFor(saver)), static_cast<int>(SaveStatus::Changed));
        EXPECT_EQ(Read(c.name), theirs);
        EXPECT_EQ(Read("KEPT.GTP"), c.kept);
    }
}

namespace {

// Another program holding a record lock on part of a file until the object
// ends: lockf() on a range, or an fcntl() lock of either kind on one byte. It
// stops itself once it holds the lock; killed, it lets the lock go.
class RecordLockHolder {
public:
    enum class Kind { LockfRange, FcntlWriteByte, FcntlReadByte };

    RecordLockHolder(const std::string& path, Kind kind) : child_(::fork()) {
        if (child_ == 0) {
            const int fd = ::open(path.c_str(), O_RDWR);
            struct flock byte {};
            byte.l_type = kind == Kind::FcntlReadByte ? F_RDLCK : F_WRLCK;
            byte.l_whence = SEEK_SET;
            byte.l_start = 147;  // the vehicle weight's first byte
            byte.l_len = 1;
            const bool locked = kind == Kind::LockfRange ? ::lseek(fd, 300, SEEK_SET) == 300 && ::lockf(fd, F_LOCK, 10) == 0
                                                         : ::fcntl(fd, F_SETLK, &byte) == 0;
            if (locked) ::raise(SIGSTOP);
            ::_exit(1);
        }
        if (!WIFSTOPPED(WaitFor(child_, WUNTRACED))) throw std::runtime_error("the other program could not lock " + path);
    }
    ~RecordLockHolder() {
        ::kill(child_, SIGKILL);
        WaitFor(child_);
    }

private:
    const pid_t child_;
};

}  // namespace

TEST_F(RunFileFaultsTest, ARecordLockOfAnotherProgramRefusesTheSaveUntilItIsGone) {
    using Kind = RecordLockHolder::Kind;
    const struct {
        Kind kind;
        bool refusesLoad;
    } cases[] = {{Kind::LockfRange, true}, {Kind::FcntlWriteByte, true}, {Kind::FcntlReadByte, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        LoadAndEdit();
        const std::string path = folder.Path("RUN.GTP");
        {
            const RecordLockHolder other(path, c.kind);
            const SaveOutcome refused = runFile.Save(edits);
            EXPECT_EQ(std::tie(refused.status, refused.number), std::tuple(SaveStatus::Failed, 70));
            EXPECT_EQ(ErrorNumberOf([&] { LoadFrom(path); }), c.refusesLoad ? 70 : 0);
            EXPECT_EQ(Read("RUN.GTP"), Loaded);
        }
        EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
        EXPECT_EQ(LoadFrom(path).values.weight, "1500");
    }
}

// A named pipe or a device under a run file's name is refused at once, by the
// load and by a save, and never opened: an open of a pipe would wake a writer
// waiting at it.
TEST_F(RunFileFaultsTest, NamedPipesAndDevicesAreRefusedWithoutBeingOpened) {
    std::vector<std::string> watched{folder.Path("PIPE.GTP")};
    ASSERT_EQ(::mkfifo(watched[0].c_str(), 0600), 0);
    // A device of our own (the null device's numbers), so that no other
    // program's opens show; only root may make one.
    const std::string device = folder.Path("DEVICE.GTP");
    if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        watched.push_back(device);
        std::filesystem::create_symlink(FsPath(device), FsPath(folder.Path("LINK.GTP")));
        watched.push_back(folder.Path("LINK.GTP"));
    }
    const int events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(events, 0);
    for (const std::string& path : watched) ASSERT_GE(::inotify_add_watch(events, path.c_str(), IN_OPEN), 0);

    for (const std::string& path : watched) EXPECT_EQ(ErrorNumberOf([&] { runFile.Load(path); }), 75) << path;
    // A save to a path where a pipe took the place of the file loaded.
    runFile.Load(Write("RUN.GTP", Loaded));
    std::filesystem::rename(FsPath(watched[0]), FsPath(folder.Path("RUN.GTP")));
    const SaveOutcome outcome = runFile.Save(runFile.Contents().values);
    EXPECT_EQ(outcome.status, SaveStatus::Failed);
    EXPECT_EQ(outcome.number, 75);

    char buffer[4096];
    EXPECT_EQ(::read(events, buffer, sizeof buffer), -1) << "opened";
    EXPECT_EQ(errno, EAGAIN);
    ::close(events);
}
