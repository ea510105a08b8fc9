#pragma once
// What the last load learned about the file it read, and what the save of the
// same file relies on. The save must never use values of another file.
#include <cstdint>
#include <optional>

#include "run_file/RunFileLayout.h"

namespace Stuff {

struct RunFileState {
    uint64_t RunDataStart = RunDataStartOfOtherVersions;
    float PassVersionNumber = 0.0f;
    // The run-data record length L; 0 when the file has no run data.
    uint8_t RecordLength = 0;
    // 1-based position of the notes length byte, when the load found one.
    std::optional<uint64_t> NotesPosition;
};

}  // namespace Stuff
