// What only Windows does: short names beside the long ones, and a lock that
// keeps out every other program, not only those that lock the same way.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/FileTable.h"
#include "support/Files.h"
#include "support/WideText.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/TempFolder.h"

TEST(WindowsFiles, ALongNameHasAShortNameThatOpensTheSameFile) {
    TempFolder folder;
    folder.Write("a long run name.gtp", "run");
    const std::string shortName = Files::FindEntry(folder.Path("a long run name.gtp"), true);
    ASSERT_NE(shortName.find('~'), std::string::npos) << shortName;
    FileTable::Open(folder.Path("a long run name.gtp"), FileTable::OpenMode::Read, 1);
    const FileTable::FileStamp longStamp = FileTable::Stamp(1);
    FileTable::Close(1);
    FileTable::Open(folder.Path(shortName), FileTable::OpenMode::Read, 1);
    EXPECT_TRUE(FileTable::Stamp(1).SameFile(longStamp));
    FileTable::Close(1);
    EXPECT_EQ(Files::FindEntry(folder.Path("A.GTP"), true), "");  // an 8.3 name needs none
}

TEST(WindowsFiles, AHeldFileRefusesEvenAnOpenThatSharesEverything) {
    TempFolder folder;
    const std::string path = folder.Write("RUN.GTP", "run");
    const auto units = WideText::FromUtf8(path);
    const std::wstring wide(units->begin(), units->end());
    FileTable::Open(path, FileTable::OpenMode::Read, 1);
    const HANDLE other = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD error = ::GetLastError();
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    FileTable::Close(1);
    const HANDLE afterwards = ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(afterwards, INVALID_HANDLE_VALUE);
    ::CloseHandle(afterwards);
}

TEST(WindowsFiles, DeviceNamesAreRefusedAsNoFile) {
    TempFolder folder;
    for (const char* name : {"NUL", "COM1", "con"}) {
        for (const auto mode : {FileTable::OpenMode::Read, FileTable::OpenMode::ReadWrite})
            EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(folder.Path(name), mode, 1); }), 75) << name;
    }
    EXPECT_FALSE(FileTable::IsOpen(1));
}
