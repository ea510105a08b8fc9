#pragma once
// The program's arguments as the program's text: on Linux the bytes it was
// started with; on Windows the system's UTF-16 command line as UTF-8, since
// the narrow arguments of main are in the ANSI code page, which cannot spell
// every file name.
#include <string>
#include <vector>

namespace CommandLine {

// The arguments, the program's name first, given main's own.
std::vector<std::string> Arguments(int argc, char** argv);

// Whether the shells of this system expand * and ? in the words they hand
// a program (Linux's do); where they do not (Windows), a program that takes
// many files expands them itself.
extern const bool ShellExpandsWildcards;

}  // namespace CommandLine
