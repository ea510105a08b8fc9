#pragma once
// The core's load of a run file held in memory, with the notes bytes as they
// are in the file beside it, so that tests and the fuzz harnesses can compare
// a file before and after a save. Throws RuntimeError where the load fails
// (a file cut short inside a field, a version text that is no number).
#include <cstdint>
#include <string>
#include <vector>

#include "run_file/Stuff.h"

struct DecodedRunFile {
    Stuff::VersionField version;
    Stuff::RunFileState state;
    Stuff::VehicleTexts texts;  // as the value labels and the notes box show them
    uint64_t recordCount = 0;
    std::vector<uint64_t> damaged;
    std::vector<uint8_t> storedNotes;  // the notes bytes as they are in the file
};

inline DecodedRunFile DecodeRunFile(Stuff::ByteSource& source) {
    const Stuff::RunFileContents contents = Stuff::ReadRunFile(source);
    DecodedRunFile file{contents.version, contents.State(), contents.values, contents.recordCount,
                        contents.damagedPositions, {}};
    if (contents.notesPosition) {
        const std::vector<uint8_t> length = Stuff::ReadBytesAt(source, *contents.notesPosition, 1);
        file.storedNotes = Stuff::ReadStoredNotes(source, *contents.notesPosition, length.at(0));
    }
    return file;
}

inline DecodedRunFile DecodeRunFile(const std::vector<uint8_t>& bytes) {
    Stuff::MemoryByteSource source(bytes);
    return DecodeRunFile(source);
}
