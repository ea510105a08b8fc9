#pragma once
// The load of a run file without the window: the same reads in the same order
// as frmMain's load, collected into one value so that tests and the fuzz
// harnesses can compare a file before and after a save. Throws RuntimeError
// where the load fails (a file cut short inside a field, a version text that
// is no number).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "run_file/Stuff.h"

struct DecodedRunFile {
    Stuff::VersionField version;
    std::vector<uint8_t> versionBytes;
    Stuff::RunFileState state;
    Stuff::VehicleTexts texts;  // as the value labels and the notes box show them
    uint64_t recordCount = 0;
    std::vector<uint64_t> damaged;
    std::vector<uint8_t> storedNotes;  // the notes bytes as they are in the file

    Stuff::FileFingerprint Fingerprint(uint64_t length) const {
        return Stuff::FileFingerprint(length, versionBytes, state.NotesPosition);
    }
};

inline DecodedRunFile DecodeRunFile(Stuff::ByteSource& source) {
    using namespace Stuff;
    DecodedRunFile file;
    file.versionBytes = ReadField(source, Spec(Field::Version));
    file.version = DecodeVersionField(file.versionBytes);
    file.state.RunDataStart = file.version.runDataStart;
    file.state.PassVersionNumber = PassVersionNumber(file.version.versionText);

    VehicleTexts& texts = file.texts;
    const auto text = [&source](Field field) { return DecodeTextField(ReadField(source, Spec(field))); };
    const auto tenths = [&source](Field field) { return DecodeTenths(ReadField(source, Spec(field)).at(0)); };
    const auto twoBytes = [&source](Field field) { return DecodeTwoByte(ReadField(source, Spec(field))); };
    texts.runName = text(Field::RunName);
    texts.pitch = HasPitchFactor(file.state.PassVersionNumber) ? tenths(Field::PitchFactor) : "n/a";
    texts.vehicleName = text(Field::VehicleName);
    texts.weight = twoBytes(Field::VehicleWeight);
    texts.rollout = tenths(Field::RolloutLength);
    texts.redline = twoBytes(Field::Redline);
    texts.shiftPoint = twoBytes(Field::ShiftPoint);

    RunDataScanner scanner(source, file.state.RunDataStart);
    scanner.Finish();
    file.state.RecordLength = scanner.RecordLength();
    file.state.NotesPosition = scanner.NotesPosition();
    file.recordCount = scanner.RecordCount();
    file.damaged = scanner.DamagedPositions();
    if (file.state.NotesPosition) {
        file.storedNotes = ReadStoredNotes(source, *file.state.NotesPosition, scanner.NotesLength());
        texts.notes = NotesForDisplay(file.storedNotes);
    }
    return file;
}

inline DecodedRunFile DecodeRunFile(const std::vector<uint8_t>& bytes) {
    Stuff::MemoryByteSource source(bytes);
    return DecodeRunFile(source);
}
