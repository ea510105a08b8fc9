// Saves fuzzed values into fuzzed run files. The input is
//
//   byte 0     which values come from the input (bit 0 run name, 1 vehicle
//              name, 2 weight, 3 redline, 4 shift point, 5 rollout, 6 pitch,
//              7 notes); the others stay as the file holds them
//   byte 1     bit 0: the texts are Windows-1252 bytes rather than UTF-8
//   bytes 2-3  the length of the values part, most significant first
//   values     the texts in the order above, separated by 0x1E
//   the rest   the run file
//
// A save the plan accepts may write only into the fixed fields and the notes,
// must leave every other byte alone, and must read back as written. And every
// file that loads can be saved with the values it loaded: that changes no
// numeric field, and saving once more what the save left changes nothing.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "base/RuntimeError.h"
#include "fuzz/FuzzCheck.h"
#include "testkit/RunFileDecode.h"

using namespace Stuff;
using FuzzCheck::Bytes;
using FuzzCheck::NameAfterSave;

namespace {

constexpr std::array<std::string VehicleTexts::*, 8> Values{
    &VehicleTexts::runName, &VehicleTexts::vehicleName, &VehicleTexts::weight, &VehicleTexts::redline,
    &VehicleTexts::shiftPoint, &VehicleTexts::rollout, &VehicleTexts::pitch, &VehicleTexts::notes};

struct SaveInput {
    uint8_t taken = 0;
    std::array<std::string, 8> texts;
    Bytes file;
};

SaveInput Split(std::span<const uint8_t> input) {
    SaveInput split;
    if (input.size() < 4) {
        split.file.assign(input.begin(), input.end());
        return split;
    }
    split.taken = input[0];
    const bool windows1252 = (input[1] & 1) != 0;
    const size_t valuesLength = std::min<size_t>((size_t{input[2]} << 8) | input[3], input.size() - 4);
    const std::span<const uint8_t> values = input.subspan(4, valuesLength);
    split.file.assign(values.end(), input.end());
    auto begin = values.begin();
    for (std::string& text : split.texts) {
        const auto end = std::find(begin, values.end(), uint8_t{0x1E});
        text = windows1252 ? DecodeWindows1252(std::span<const uint8_t>(begin, end)) : std::string(begin, end);
        if (end == values.end()) break;
        begin = end + 1;
    }
    return split;
}

const FieldSpec* FieldWritten(const FileWrite& write) {
    for (const FieldSpec& spec : RunFileFields) {
        if (spec.field != Field::Version && spec.position == write.position && spec.width == write.bytes.size()) {
            return &spec;
        }
    }
    return nullptr;
}

const FileWrite* WriteOf(const SavePlan& plan, Field field) {
    for (const FileWrite& write : plan) {
        const FieldSpec* spec = FieldWritten(write);
        if (spec && spec->field == field) return &write;
    }
    return nullptr;
}

DecodedRunFile Reload(const Bytes& file) {
    try {
        return DecodeRunFile(file);
    } catch (const RuntimeError&) {
        FuzzCheck::Fail("a file our own save wrote loads", __FILE__, __LINE__);
    }
}

// Applies an accepted plan and checks where it wrote, what it left alone and
// what a fresh load of the result shows.
Bytes Save(const Bytes& file, const DecodedRunFile& loaded, const SavePlan& plan) {
    const RunFileState& state = loaded.state;
    const bool pitch = HasPitchFactor(state.PassVersionNumber);
    size_t fields = 0, notesWrites = 0;
    uint64_t notesEnd = 0;
    for (const FileWrite& write : plan) {
        FUZZ_CHECK(write.position >= 1);
        if (const FieldSpec* spec = FieldWritten(write)) {
            FUZZ_CHECK(spec->field != Field::PitchFactor || pitch);
            ++fields;
        } else {
            FUZZ_CHECK(state.NotesPosition.has_value());
            // One write: the length byte, the notes it counts and a NUL.
            FUZZ_CHECK(write.position == *state.NotesPosition);
            FUZZ_CHECK(write.bytes.size() >= 2 && write.bytes.size() <= MaxNotesBytes + 2);
            FUZZ_CHECK(write.bytes.front() == write.bytes.size() - 2 && write.bytes.back() == 0x00);
            notesEnd = std::max(notesEnd, write.position - 1 + write.bytes.size());
            ++notesWrites;
        }
    }
    FUZZ_CHECK(fields == (pitch ? 7u : 6u));
    FUZZ_CHECK(notesWrites == (state.NotesPosition ? 1u : 0u));

    Bytes saved = file;
    ApplySavePlan(saved, plan);
    FUZZ_CHECK(saved.size() == std::max<uint64_t>(file.size(), notesEnd));
    FUZZ_CHECK(LengthAfterSave(file.size(), plan) == saved.size());
    std::vector<bool> written(saved.size(), false);
    for (const FileWrite& write : plan) std::fill_n(written.begin() + (write.position - 1), write.bytes.size(), true);
    for (size_t i = 0; i < file.size(); ++i) FUZZ_CHECK(written[i] || saved[i] == file[i]);

    // A fresh load finds the same layout, the notes bytes as written and the
    // numbers as written.
    const DecodedRunFile reloaded = Reload(saved);
    FUZZ_CHECK(reloaded.state.RunDataStart == state.RunDataStart);
    FUZZ_CHECK(reloaded.state.PassVersionNumber == state.PassVersionNumber);
    FUZZ_CHECK(reloaded.state.RecordLength == state.RecordLength);
    FUZZ_CHECK(reloaded.state.NotesPosition == state.NotesPosition);
    FUZZ_CHECK(reloaded.recordCount == loaded.recordCount && reloaded.damaged == loaded.damaged);
    if (state.NotesPosition) {
        const Bytes& notes = plan.back().bytes;
        FUZZ_CHECK(reloaded.storedNotes == Bytes(notes.begin() + 1, notes.end() - 1));
    }
    const VehicleTexts& back = reloaded.texts;
    FUZZ_CHECK(WriteOf(plan, Field::VehicleWeight)->bytes == EncodeTwoByte(back.weight, Spec(Field::VehicleWeight)));
    FUZZ_CHECK(WriteOf(plan, Field::Redline)->bytes == EncodeTwoByte(back.redline, Spec(Field::Redline)));
    FUZZ_CHECK(WriteOf(plan, Field::ShiftPoint)->bytes == EncodeTwoByte(back.shiftPoint, Spec(Field::ShiftPoint)));
    FUZZ_CHECK(WriteOf(plan, Field::RolloutLength)->bytes[0] == EncodeTenths(back.rollout, Spec(Field::RolloutLength)));
    if (pitch) FUZZ_CHECK(WriteOf(plan, Field::PitchFactor)->bytes[0] == EncodeTenths(back.pitch, Spec(Field::PitchFactor)));

    // The check the next save makes knows the file our save leaves: its run
    // data still ends at the notes.
    MemoryByteSource after(saved);
    const SystemFile::FileStamp stamp{1, 1, saved.size(), 1};
    FUZZ_CHECK(FileFingerprint::Take(after, stamp, state.NotesPosition).Matches(after, stamp));
    return saved;
}

// Saves the values the file loaded with, back into it.
void CheckRoundTrip(const Bytes& file, const DecodedRunFile& loaded) {
    const RunFileState& state = loaded.state;
    // The one thing that can stop it: notes that, once their line ends are
    // stored as single CRs, would be as long as a record.
    const bool notesLikeRecord = state.NotesPosition && NotesForStorage(loaded.texts.notes).size() == state.RecordLength;
    SavePlan plan;
    try {
        plan = MakeSavePlan(loaded.texts, state);
    } catch (const RuntimeError& error) {
        FUZZ_CHECK(notesLikeRecord && error.Number() == ErrorNumber::InvalidProcedureCall);
        return;
    }
    FUZZ_CHECK(!notesLikeRecord);
    const Bytes saved = Save(file, loaded, plan);

    // The numbers keep their bytes; names lose at most spaces at their end;
    // the notes store as the same bytes.
    for (Field field : {Field::VehicleWeight, Field::RolloutLength, Field::Redline, Field::ShiftPoint, Field::PitchFactor}) {
        const FieldSpec& spec = Spec(field);
        if (field == Field::PitchFactor && !HasPitchFactor(state.PassVersionNumber)) continue;
        FUZZ_CHECK(std::equal(file.begin() + spec.Offset(), file.begin() + spec.Offset() + spec.width,
                              saved.begin() + spec.Offset()));
    }
    const DecodedRunFile reloaded = Reload(saved);
    const VehicleTexts& before = loaded.texts;
    const VehicleTexts& after = reloaded.texts;
    FUZZ_CHECK(after.runName == NameAfterSave(before.runName, Spec(Field::RunName)));
    FUZZ_CHECK(after.vehicleName == NameAfterSave(before.vehicleName, Spec(Field::VehicleName)));
    FUZZ_CHECK(after.weight == before.weight && after.redline == before.redline && after.shiftPoint == before.shiftPoint);
    FUZZ_CHECK(after.rollout == before.rollout && after.pitch == before.pitch);
    FUZZ_CHECK(NotesForStorage(after.notes) == NotesForStorage(before.notes));

    // Once the values read back as they were saved, saving them again
    // changes no byte. Names that lost spaces at their end get there one
    // round later.
    if (after.runName != before.runName || after.vehicleName != before.vehicleName) {
        CheckRoundTrip(saved, reloaded);
        return;
    }
    Bytes again = saved;
    ApplySavePlan(again, MakeSavePlan(after, reloaded.state));
    FUZZ_CHECK(again == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SaveInput input = Split({data, size});
    DecodedRunFile loaded;
    try {
        loaded = DecodeRunFile(input.file);
    } catch (const RuntimeError&) {
        return 0;  // not a file the window would offer to save
    }
    CheckRoundTrip(input.file, loaded);

    VehicleTexts texts = loaded.texts;
    for (size_t i = 0; i < Values.size(); ++i) {
        if (input.taken & (1u << i)) texts.*Values[i] = input.texts[i];
    }
    SavePlan plan;
    try {
        plan = MakeSavePlan(texts, loaded.state);
    } catch (const RuntimeError& error) {
        FUZZ_CHECK(error.Number() == ErrorNumber::InvalidProcedureCall || error.Number() == ErrorNumber::Overflow ||
                   error.Number() == ErrorNumber::TypeMismatch);
        return 0;
    }
    const Bytes saved = Save(input.file, loaded, plan);
    CheckRoundTrip(saved, Reload(saved));
    return 0;
}
