#include "run_file/FileFingerprint.h"

#include "run_file/RunDataScanner.h"
#include "run_file/RunFileLayout.h"
#include "run_file/VersionField.h"

namespace Stuff {

namespace {

// The notes length byte, the longest notes and the NUL a save puts after them.
constexpr size_t NotesRegion = 1 + MaxNotesBytes + 1;

std::vector<uint8_t> HeaderOf(ByteSource& source) { return ReadBytesAt(source, 1, HeaderEnd); }

std::vector<uint8_t> NotesOf(ByteSource& source, std::optional<uint64_t> notesPosition) {
    return notesPosition ? ReadBytesAt(source, *notesPosition, NotesRegion) : std::vector<uint8_t>{};
}

std::optional<uint64_t> RunDataEnd(ByteSource& source, const std::vector<uint8_t>& header) {
    if (header.size() < HeaderEnd) return std::nullopt;
    const FieldSpec& version = Spec(Field::Version);
    const std::span<const uint8_t> versionBytes(header.data() + version.Offset(), version.width);
    RunDataScanner scanner(source, DecodeVersionField(versionBytes).runDataStart);
    scanner.Finish();
    return scanner.NotesPosition();
}

}  // namespace

FileFingerprint FileFingerprint::Take(ByteSource& source, const SystemFile::FileStamp& stamp,
                                      std::optional<uint64_t> notesPosition) {
    FileFingerprint fingerprint;
    fingerprint.stamp_ = stamp;
    fingerprint.header_ = HeaderOf(source);
    fingerprint.notesPosition_ = notesPosition;
    fingerprint.notes_ = NotesOf(source, notesPosition);
    return fingerprint;
}

bool FileFingerprint::Matches(ByteSource& source, const SystemFile::FileStamp& stamp) const {
    if (stamp != stamp_) return false;
    const std::vector<uint8_t> header = HeaderOf(source);
    if (header != header_ || NotesOf(source, notesPosition_) != notes_) return false;
    return RunDataEnd(source, header) == notesPosition_;
}

}  // namespace Stuff
