#pragma once
// A desktop for tests: notes every target it is handed, in order (a file as
// "file PATH", an address as it is), opens none, and accepts them all unless
// told to refuse.
#include <string>
#include <vector>

#include "support/DocumentOpener.h"

struct RecordingOpener : DocumentOpener {
    bool OpenUrl(const std::string& url, LateFailure) override { return opened.push_back(url), accept; }
    bool OpenLocalFile(const std::string& path, LateFailure) override { return opened.push_back("file " + path), accept; }
    bool accept = true;
    std::vector<std::string> opened;
};
