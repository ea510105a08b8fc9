#pragma once
// What the tests of run files on disk share: a folder to lay them out in byte
// by byte, the file most of them load and edit, and a small disk to fill up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "run_file/RunFile.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/SystemTestkit.h"
#include "testkit/TempFolder.h"

using Bytes = std::vector<uint8_t>;

inline std::string WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(FsPath(path), std::ios::binary) << std::string(bytes.begin(), bytes.end());
    return path;
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A file of exactly one page whose notes end at its end: longer notes need
// a page more.
inline Bytes OnePageFile() { return RunFileBuilder().Records(155, 20).Notes(std::string(64, 'o')).Build(); }

// Fills the disk of `folder` to its last byte with the file "filler", and
// returns that file's path.
inline std::string FillUp(const std::string& folder) {
    const std::string filler = folder + Files::PathSeparator + "filler";
    std::ofstream fill(FsPath(filler), std::ios::binary);
    const std::vector<char> page(4096, 'f');
    while (fill.write(page.data(), static_cast<std::streamsize>(page.size())).flush()) {
    }
    return filler;
}

// True, with the test failed in CI and skipped outside it, where no small
// disk could be had.
inline bool NoSmallDisk(const SmallDisk& disk) {
    if (!disk.Path().empty()) return false;
    [&disk] {
        if (std::getenv("CI") != nullptr) FAIL() << disk.Why();
        GTEST_SKIP() << disk.Why();
    }();
    return true;
}

class RunFileFolderTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) const { return WriteBytes(folder.Path(name), bytes); }
    Bytes Read(const std::string& name) const { return ReadBytes(folder.Path(name)); }
    static Stuff::RunFileContents LoadFrom(const std::string& path) {
        Stuff::RunFile runFile;
        runFile.Load(path);
        return runFile.Contents();
    }
    // The run file at `path` loaded into `runFile`, with its weight edited;
    // by default RUN.GTP, written afresh with `Loaded`.
    void LoadAndEdit(const std::string& path) {
        runFile.Load(path);
        edits = runFile.Contents().values;
        edits.weight = "1500";
    }
    void LoadAndEdit() { LoadAndEdit(Write("RUN.GTP", Loaded)); }

    static inline const Bytes Loaded = RunFileBuilder().Records(3, 4).Notes("notes").Tail(9).Build();
    TempFolder folder;
    Stuff::RunFile runFile;
    Stuff::VehicleTexts edits;
};
