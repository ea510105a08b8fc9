#pragma once
// What a load (or our own last save) knew of a run file: enough to tell, just
// before a save, whether the path still names the same file and whether
// anything has written it since, so that a save never overwrites someone
// else's change nor writes positions that belong to another file's layout.
//
// The system's stamp (device and index, length, time of the last write) tells
// most changes. Its clock is coarse (a write within the same few milliseconds
// as the load keeps the time), so the bytes the save works from are compared
// too: the header with every fixed field and the version, the notes length
// byte with the notes after it, and where the run data now ends.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/SystemFile.h"
#include "run_file/ByteSource.h"

namespace Stuff {

class FileFingerprint {
public:
    // Reads what is compared later from the file as it is now; the notes
    // position is what the scan of this same file found.
    static FileFingerprint Take(ByteSource& source, const SystemFile::FileStamp& stamp,
                                std::optional<uint64_t> notesPosition);

    // True when `stamp` names the same file, unchanged since, and its bytes
    // and its run data's end are still what they were. Scans the run data
    // only when everything else matches.
    bool Matches(ByteSource& source, const SystemFile::FileStamp& stamp) const;

    const SystemFile::FileStamp& Stamp() const { return stamp_; }

private:
    SystemFile::FileStamp stamp_;
    std::vector<uint8_t> header_;
    std::optional<uint64_t> notesPosition_;
    std::vector<uint8_t> notes_;
};

}  // namespace Stuff
