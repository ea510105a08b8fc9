#include "platform/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "platform/windows/WindowsErrors.h"

namespace CommandLine {

const bool ShellExpandsWildcards = false;

namespace {

struct FreeLocal {
    void operator()(LPWSTR* block) const { ::LocalFree(block); }
};

}  // namespace

// The command line split as the C runtime splits it for main. Should the
// system fail to split it, main's own arguments are what there is.
std::vector<std::string> Arguments(int argc, char** argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, FreeLocal> wide(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(WindowsErrors::Utf8(wide.get()[i]));
    return arguments;
}

}  // namespace CommandLine
