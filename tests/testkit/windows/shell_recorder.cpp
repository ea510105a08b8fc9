// The program the shell tests register with the shell for run files and web
// addresses: appends the one argument the shell started it with, as UTF-8, as
// a line to the file that TACHLET_SHELL_LOG names, and ends with 0.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "base/WideText.h"

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const wchar_t* log = ::_wgetenv(L"TACHLET_SHELL_LOG");
    if (argv == nullptr || argc != 2 || log == nullptr) return 2;
    const std::wstring argument = argv[1];
    const std::string line = WideText::ToUtf8(std::u16string(argument.begin(), argument.end())) + "\n";
    FILE* out = ::_wfopen(log, L"ab");
    if (out == nullptr) return 3;
    std::fwrite(line.data(), 1, line.size(), out);
    return std::fclose(out) == 0 ? 0 : 3;
}
