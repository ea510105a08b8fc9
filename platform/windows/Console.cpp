#include "support/Console.h"

#include <windows.h>

namespace Console {

// A console answers for its mode; a file, a pipe and the NUL device do not
// (the C runtime's _isatty takes NUL for a terminal).
bool IsTerminal(Stream stream) {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), &mode) !=
           0;
}

// No console (the output goes to a file or a pipe) gives 0, and nothing is
// changed.
Utf8Output::Utf8Output() {
    const UINT current = ::GetConsoleOutputCP();
    if (current != 0 && current != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
        previous_ = current;
}

Utf8Output::~Utf8Output() {
    if (previous_ != 0)
        ::SetConsoleOutputCP(previous_);
}

}  // namespace Console
