#pragma once
// The notes of "--notes-file": a file's text, or standard input's for "-".
// Notes hold at most 255 bytes, so more than 64 KiB is surely the wrong file
// and is refused after reading just past that much: a device such as
// /dev/zero, or a large log, can neither hang the tool nor fill its messages.
#include <cstddef>
#include <string>

#include "cli/ExitStatus.h"

inline constexpr size_t MostNotesFileBytes = 64 * 1024;

struct NotesFileText {
    std::string notes;
    // Why there are none, one line naming the file; empty when read.
    std::string problem;
    // Refused for a folder, a device, a pipe or too much; Failed when the
    // file cannot be opened or read.
    ExitStatus status = ExitStatus::Ok;
};

// The text without the line break that ends its last line, as an editor
// leaves it. A folder, and anything else that is no regular file, is refused.
NotesFileText ReadNotesFile(const std::string& path);
