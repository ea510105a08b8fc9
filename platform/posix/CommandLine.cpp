#include "platform/CommandLine.h"

namespace CommandLine {

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace CommandLine
