#include "platform/CommandLine.h"

namespace CommandLine {

const bool ShellExpandsWildcards = true;

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace CommandLine
