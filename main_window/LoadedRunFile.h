#pragma once
// What a successful load learned about the file it read, which the save relies
// on: which file it was, where its run data and notes lie, which version wrote
// it, and enough of its state to notice a change made behind our back.
#include <string>

#include "run_file/FileFingerprint.h"
#include "run_file/RunFileState.h"

struct LoadedRunFile {
    std::string fullPath;  // as the file system spells it
    Stuff::RunFileState state;
    Stuff::FileFingerprint fingerprint;
};
