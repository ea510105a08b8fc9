// What only Windows does: short names beside the long ones, and a lock that
// keeps out every other program, not only those that lock the same way.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "base/WideText.h"
#include "support/LockedFile.h"
#include "support/Files.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/TempFolder.h"

TEST(WindowsFiles, ALongNameHasAShortNameThatOpensTheSameFile) {
    TempFolder folder;
    folder.Write("a long run name.gtp", "run");
    const std::string shortName = Files::FindEntry(folder.Path("a long run name.gtp"), true);
    ASSERT_NE(shortName.find('~'), std::string::npos) << shortName;
    const SystemFile::FileStamp longStamp =
        LockedFile(folder.Path("a long run name.gtp"), LockedFile::OpenMode::Read).Stamp();
    EXPECT_TRUE(LockedFile(folder.Path(shortName), LockedFile::OpenMode::Read).Stamp().SameFile(longStamp));
    EXPECT_EQ(Files::FindEntry(folder.Path("A.GTP"), true), "");  // an 8.3 name needs none
}

TEST(WindowsFiles, AHeldFileRefusesEvenAnOpenThatSharesEverything) {
    TempFolder folder;
    const std::string path = folder.Write("RUN.GTP", "run");
    const auto units = WideText::FromUtf8(path);
    const std::wstring wide(units->begin(), units->end());
    auto held = std::make_unique<LockedFile>(path, LockedFile::OpenMode::Read);
    const HANDLE other = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD error = ::GetLastError();
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    held.reset();
    const HANDLE afterwards = ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(afterwards, INVALID_HANDLE_VALUE);
    ::CloseHandle(afterwards);
}

TEST(WindowsFiles, DeviceNamesAreRefusedAsNoFile) {
    TempFolder folder;
    for (const char* name : {"NUL", "COM1", "con"}) {
        for (const auto mode : {LockedFile::OpenMode::Read, LockedFile::OpenMode::ReadWrite})
            EXPECT_EQ(ErrorNumberOf([&] { LockedFile(folder.Path(name), mode); }), 75) << name;
    }
}
