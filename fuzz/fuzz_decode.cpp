// Feeds any bytes to everything that reads a run file: the fixed fields, the
// version, the run-data scan (in one go, in slices and through block reads,
// all held against a plain byte-by-byte walk of the format), the notes and
// the damaged-position list. Nothing may crash, and nothing may grow beyond
// what a file of this size can hold.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "base/RuntimeError.h"
#include "fuzz/FuzzCheck.h"
#include "testkit/RunDataScan.h"
#include "testkit/RunFileDecode.h"

using namespace Stuff;

namespace {

// The run data walked one byte at a time, at 1-based positions, as the load
// reads it: a record is a length byte equal to the first one, its data and
// three separator bytes; the first other length byte is the notes length; a
// record the file cuts short counts, as damaged where its separator begins.
ScanResult WalkRunData(std::span<const uint8_t> file, uint64_t start) {
    const auto at = [&file](uint64_t position) -> std::optional<uint8_t> {
        if (position < 1 || position > file.size()) return std::nullopt;
        return file[position - 1];
    };
    ScanResult walk;
    const std::optional<uint8_t> first = at(start);
    if (!first || *first == 0) return walk;
    walk.length = *first;
    uint64_t position = start;
    for (std::optional<uint8_t> n = at(position); n; n = at(position)) {
        if (*n != walk.length) {
            walk.notesPosition = position;
            walk.notesLength = *n;
            break;
        }
        ++walk.count;
        const uint64_t separator = position + 1 + walk.length;
        const bool whole = separator + 2 <= file.size();
        if (!whole || at(separator) != 0 || at(separator + 1) != 0 || at(separator + 2) != 0) {
            walk.damaged.push_back(separator);
        }
        if (!whole) break;
        position = separator + 3;
    }
    return walk;
}

void CheckNotes(ByteSource& source, uint64_t notesPosition, uint8_t notesLength) {
    const std::vector<uint8_t> stored = ReadStoredNotes(source, notesPosition, notesLength);
    FUZZ_CHECK(stored.size() == std::min<uint64_t>(notesLength, source.Size() - notesPosition));
    const std::string shown = NotesForDisplay(stored);
    FUZZ_CHECK(shown.size() <= 3 * stored.size());  // a byte is at most three UTF-8 bytes, CR two
    // What is shown can always be stored again, never longer, and storing what
    // that shows gives the same bytes once more.
    const std::vector<uint8_t> again = NotesForStorage(shown);
    FUZZ_CHECK(again.size() <= stored.size());
    FUZZ_CHECK(NotesForStorage(NotesForDisplay(again)) == again);
}

// A source without the file in memory makes the scanner fill a block of a
// megabyte, which costs ten times the rest of a small input: that path is
// taken for one start only, and only for a quarter of the inputs.
void CheckScan(std::span<const uint8_t> file, uint64_t start, uint64_t slice, bool blockReads) {
    MemoryByteSource memory(file);
    const ScanResult whole = ScanWith(memory, start, UINT64_MAX);
    FUZZ_CHECK(whole == WalkRunData(file, start));
    FUZZ_CHECK(ScanWith(memory, start, slice) == whole);
    if (blockReads) {
        BlockSource blocks(file);
        FUZZ_CHECK(ScanWith(blocks, start, slice) == whole);
    }

    // Nothing the scan keeps can outgrow the file.
    const uint64_t span = file.size() + 1 > start ? file.size() + 1 - start : 0;
    FUZZ_CHECK(whole.count <= span / (whole.length + 4u) + 1);
    FUZZ_CHECK(whole.damaged.size() <= whole.count);
    // The list names each damaged position, in order, and nothing else.
    std::string listed;
    for (uint64_t position : whole.damaged) {
        listed += (listed.empty() ? "Error(s) found at: " : ", ") + std::to_string(position);
    }
    FUZZ_CHECK(DamagedPositionsMessage(whole.damaged, whole.damaged.size()) == listed);
    if (whole.notesPosition) CheckNotes(memory, *whole.notesPosition, whole.notesLength);
}

// A text field's bytes read, written back and read again: the same text, but
// for trailing spaces where there is no room for the fill.
void CheckTextField(std::span<const uint8_t> bytes, const FieldSpec& field) {
    const std::string text = DecodeTextField(bytes);
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    FUZZ_CHECK(text.empty() || text.front() != ' ');
    const std::vector<uint8_t> written = EncodeTextField(text, field);
    FUZZ_CHECK(written.size() == field.width);
    FUZZ_CHECK(DecodeTextField(written) == FuzzCheck::NameAfterSave(text, field));
}

void CheckFields(std::span<const uint8_t> input) {
    for (Field field : {Field::RunName, Field::VehicleName}) {
        const FieldSpec& spec = Spec(field);
        CheckTextField(input.first(std::min<size_t>(input.size(), spec.width)), spec);
    }
    if (input.size() >= 2) {
        FUZZ_CHECK(EncodeTwoByte(DecodeTwoByte(input.first(2)), Spec(Field::Redline)) ==
                   std::vector<uint8_t>(input.begin(), input.begin() + 2));
        FUZZ_CHECK(EncodeTenths(DecodeTenths(input[0]), Spec(Field::PitchFactor)) == input[0]);
    }
    // Any text as a version: a number, or one of the two failures the load reports.
    const VersionField version = DecodeVersionField(input.first(std::min<size_t>(input.size(), 17)));
    FUZZ_CHECK(version.runDataStart == RunDataStartOfVersion111 || version.runDataStart == RunDataStartOfOtherVersions);
    for (const std::string& text : {version.versionText, std::string(input.begin(), input.end())}) {
        try {
            PassVersionNumber(text);
        } catch (const RuntimeError& error) {
            FUZZ_CHECK(error.Number() == ErrorNumber::TypeMismatch || error.Number() == ErrorNumber::Overflow);
        }
    }
}

// The whole load.
void CheckLoad(std::span<const uint8_t> file) {
    MemoryByteSource memory(file);
    DecodedRunFile loaded;
    try {
        loaded = DecodeRunFile(memory);
    } catch (const RuntimeError& error) {
        const std::set<int32_t> failures{ErrorNumber::InputPastEndOfFile, ErrorNumber::TypeMismatch,
                                         ErrorNumber::Overflow};
        FUZZ_CHECK(failures.count(error.Number()) == 1);
        FUZZ_CHECK(file.size() >= HeaderEnd || error.Number() == ErrorNumber::InputPastEndOfFile);
        return;
    }
    FUZZ_CHECK(file.size() >= HeaderEnd);
    const SystemFile::FileStamp stamp{1, 1, file.size(), 1};
    FUZZ_CHECK(FileFingerprint::Take(memory, stamp, loaded.state.NotesPosition).Matches(memory, stamp));
    FUZZ_CHECK(loaded.storedNotes.size() <= MaxNotesBytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    // The last byte picks the slice size of the sliced scans and whether the
    // scan from position 1 is repeated through block reads.
    const uint8_t last = input.empty() ? 0 : input.back();
    const uint64_t slice = 1 + last % 7;
    CheckFields(input);
    // From the first byte the whole input is run data, so that short inputs
    // reach every corner of the scan; then at both places a run file has it.
    CheckScan(input, 1, slice, last >= 0xC0);
    CheckScan(input, RunDataStartOfVersion111, slice, false);
    CheckScan(input, RunDataStartOfOtherVersions, slice, false);
    CheckLoad(input);
    return 0;
}
