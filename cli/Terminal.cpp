#include "cli/Terminal.h"

#include <algorithm>
#include <iostream>

#include "platform/Console.h"

// Asked once: on Windows each question is a call into the system, which under
// Wine costs a round trip to its server for every file of a batch.
bool OutputIsTerminal() {
    static const bool terminal =
        Console::IsTerminal(Console::Stream::Output) && Console::IsTerminal(Console::Stream::Error);
    return terminal;
}

namespace {

// A scan shorter than this shows nothing; a longer one is shown this often.
constexpr std::chrono::milliseconds ShowAfter{300}, ShowEvery{100};

}  // namespace

ScanProgress::ScanProgress(std::string file)
    : file_(std::move(file)), shown_(OutputIsTerminal()), next_(std::chrono::steady_clock::now() + ShowAfter) {}

ScanProgress::~ScanProgress() {
    if (width_ != 0) std::cerr << '\r' << std::string(width_, ' ') << '\r' << std::flush;
}

void ScanProgress::Scanning(uint64_t recordsSoFar) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now < next_) return;
    next_ = now + ShowEvery;
    const std::string line = file_ + ": " + std::to_string(recordsSoFar) + " records";
    std::cerr << '\r' << line << std::flush;
    width_ = std::max(width_, line.size());
}
