#pragma once
// Whether the tool talks to a person at a terminal, and the progress of a
// long scan shown only to such a person: output that goes to a file or a
// pipe gets the results and nothing else.
#include <chrono>
#include <cstdint>
#include <string>

#include "run_file/RunFile.h"

bool OutputIsTerminal();

// Shows "<file>: <n> records" on one line of standard error while a file
// takes long to scan, a few times a second, and wipes it when the load ends;
// silent off a terminal.
class ScanProgress : public Stuff::LoadListener {
public:
    explicit ScanProgress(std::string file);
    ~ScanProgress() override;
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    void Scanning(uint64_t recordsSoFar) override;

private:
    std::string file_;
    bool shown_;
    size_t width_ = 0;
    std::chrono::steady_clock::time_point next_;
};
