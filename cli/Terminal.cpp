#include "cli/Terminal.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define TACHLET_ISATTY(stream) _isatty(_fileno(stream))
#else
#include <unistd.h>
#define TACHLET_ISATTY(stream) ::isatty(::fileno(stream))
#endif

bool OutputIsTerminal() { return TACHLET_ISATTY(stdout) != 0 && TACHLET_ISATTY(stderr) != 0; }

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
