#include "run_file/FileFingerprint.h"

#include <algorithm>

#include "run_file/RunDataScanner.h"
#include "run_file/RunFileLayout.h"
#include "run_file/VersionField.h"

namespace Stuff {

namespace {

std::vector<uint8_t> VersionBytesOf(ByteSource& source) {
    return ReadBytesAt(source, Spec(Field::Version).position, FileFingerprint::VersionWidth);
}

std::optional<uint64_t> NotesPositionOf(ByteSource& source, std::span<const uint8_t> versionBytes) {
    RunDataScanner scanner(source, DecodeVersionField(versionBytes).runDataStart);
    scanner.Finish();
    return scanner.NotesPosition();
}

}  // namespace

FileFingerprint::FileFingerprint(uint64_t length, std::span<const uint8_t> versionBytes,
                                 std::optional<uint64_t> notesPosition)
    : length_(length),
      versionSize_(static_cast<uint8_t>(std::min(versionBytes.size(), VersionWidth))),
      notesPosition_(notesPosition) {
    std::copy_n(versionBytes.begin(), versionSize_, version_.begin());
}

FileFingerprint FileFingerprint::Of(ByteSource& source) {
    const std::vector<uint8_t> version = VersionBytesOf(source);
    return FileFingerprint(source.Size(), version, NotesPositionOf(source, version));
}

bool FileFingerprint::Matches(ByteSource& source) const {
    if (source.Size() != length_) return false;
    const std::vector<uint8_t> version = VersionBytesOf(source);
    if (!std::equal(version.begin(), version.end(), version_.begin(), version_.begin() + versionSize_)) return false;
    return NotesPositionOf(source, version) == notesPosition_;
}

FileFingerprint FileFingerprint::AfterSave(std::span<const FileWrite> plan) const {
    FileFingerprint after = *this;
    after.length_ = LengthAfterSave(length_, plan);
    return after;
}

}  // namespace Stuff
