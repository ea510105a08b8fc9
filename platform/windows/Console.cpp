#include "platform/Console.h"

#include <windows.h>

#include <cstdlib>

namespace Console {

// A console answers for its mode; a file, a pipe and the NUL device do not
// (the C runtime's _isatty takes NUL for a terminal).
bool IsTerminal(Stream stream) {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), &mode) !=
           0;
}

namespace {

UINT previousCodePage = 0;

void RestoreCodePage() { ::SetConsoleOutputCP(previousCodePage); }

}  // namespace

// Without a console (the output goes to a file or a pipe) there is no code
// page to change.
void ShowOutputAsUtf8() {
    const UINT current = ::GetConsoleOutputCP();
    if (current == 0 || current == CP_UTF8 || previousCodePage != 0 || !::SetConsoleOutputCP(CP_UTF8))
        return;
    previousCodePage = current;
    std::atexit(RestoreCodePage);
}

}  // namespace Console
