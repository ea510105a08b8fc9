#pragma once
// What a load (or our own last save) knew of a run file: enough to tell, just
// before a save, whether another program has changed the file meanwhile, so
// that a save never writes positions that belong to another file's layout.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "run_file/ByteSource.h"
#include "run_file/SavePlan.h"

namespace Stuff {

class FileFingerprint {
public:
    static constexpr size_t VersionWidth = 17;

    // From what the load read: the file's length, the bytes of its version
    // field (fewer when the file ends inside it) and the notes position found.
    FileFingerprint(uint64_t length, std::span<const uint8_t> versionBytes, std::optional<uint64_t> notesPosition);

    // Reads the version field and scans the run data of the file as it is now.
    static FileFingerprint Of(ByteSource& source);

    // True when the file still has the same length, version field and notes
    // position. Scans the run data only when the rest already matches.
    bool Matches(ByteSource& source) const;

    // The file as our own save leaves it: longer when the notes reach past the end.
    FileFingerprint AfterSave(std::span<const FileWrite> plan) const;

    uint64_t Length() const { return length_; }
    std::optional<uint64_t> NotesPosition() const { return notesPosition_; }

    bool operator==(const FileFingerprint&) const = default;

private:
    uint64_t length_;
    std::array<uint8_t, VersionWidth> version_{};
    uint8_t versionSize_;
    std::optional<uint64_t> notesPosition_;
};

}  // namespace Stuff
