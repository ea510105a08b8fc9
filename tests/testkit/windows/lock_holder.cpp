// The other program of the lock tests on Windows:
//   lock_holder hold PATH  opens PATH as a LockedFile, writes "h" to
//                          its output once it holds it, and keeps it until
//                          its input ends
//   lock_holder open PATH  opens PATH for reading and writing and ends with
//                          the RuntimeError number it got (0: opened)
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "base/WideText.h"
#include "support/LockedFile.h"
#include "testkit/ErrorNumberOf.h"

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 3) return 2;
    const std::wstring mode = argv[1];
    const std::wstring widePath = argv[2];
    const std::string path = WideText::ToUtf8(std::u16string(widePath.begin(), widePath.end()));
    if (mode == L"open")
        return ErrorNumberOf([&] { LockedFile(path, LockedFile::OpenMode::ReadWrite); });

    std::unique_ptr<LockedFile> held;
    const int32_t failed =
        ErrorNumberOf([&] { held = std::make_unique<LockedFile>(path, LockedFile::OpenMode::Read); });
    const char answer = failed == 0 ? 'h' : 'x';
    DWORD count = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), &answer, 1, &count, nullptr);
    char byte;
    while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count == 1) {
    }
    return failed;
}
