#include "run_file/SavePlan.h"

#include <algorithm>

#include "run_file/Conversions.h"
#include "run_file/FieldCodec.h"
#include "run_file/Notes.h"
#include "run_file/VersionField.h"
#include "support/RuntimeError.h"

namespace Stuff {

namespace {

void AddNotes(SavePlan& plan, const std::string& shown, const RunFileState& state) {
    std::vector<uint8_t> stored = NotesForStorage(shown);
    if (stored.size() > MaxNotesBytes) {
        throw RuntimeError(RuntimeError::Overflow, "The notes take " + std::to_string(stored.size()) +
                                                       " bytes in the file, more than the 255 it can hold");
    }
    if (stored.size() == state.RecordLength) {
        throw RuntimeError(5, "The notes take exactly " + std::to_string(stored.size()) +
                                  " bytes, as long as a run-data record of this file, and would read back as "
                                  "one; add or remove a character");
    }
    const auto length = static_cast<int32_t>(stored.size());
    stored.push_back(0x00);
    plan.push_back({*state.NotesPosition, NumberToBytes(length)});
    plan.push_back({*state.NotesPosition + 1, std::move(stored)});
}

}  // namespace

SavePlan MakeSavePlan(const VehicleTexts& texts, const RunFileState& state) {
    auto at = [](Field field) { return Spec(field).position; };
    SavePlan plan;
    plan.push_back({at(Field::RunName), EncodeTextField(texts.runName, Spec(Field::RunName))});
    if (HasPitchFactor(state.PassVersionNumber)) {
        plan.push_back({at(Field::PitchFactor), {EncodeTenths(texts.pitch, Spec(Field::PitchFactor))}});
    }
    plan.push_back({at(Field::VehicleName), EncodeTextField(texts.vehicleName, Spec(Field::VehicleName))});
    plan.push_back({at(Field::VehicleWeight), EncodeTwoByte(texts.weight, Spec(Field::VehicleWeight))});
    plan.push_back({at(Field::RolloutLength), {EncodeTenths(texts.rollout, Spec(Field::RolloutLength))}});
    plan.push_back({at(Field::Redline), EncodeTwoByte(texts.redline, Spec(Field::Redline))});
    plan.push_back({at(Field::ShiftPoint), EncodeTwoByte(texts.shiftPoint, Spec(Field::ShiftPoint))});
    if (state.NotesPosition) AddNotes(plan, texts.notes, state);
    return plan;
}

uint64_t LengthAfterSave(uint64_t length, std::span<const FileWrite> plan) {
    for (const FileWrite& write : plan) length = std::max(length, write.position - 1 + write.bytes.size());
    return length;
}

void ApplySavePlan(std::vector<uint8_t>& file, std::span<const FileWrite> plan) {
    file.resize(LengthAfterSave(file.size(), plan));
    for (const FileWrite& write : plan) std::copy(write.bytes.begin(), write.bytes.end(), file.begin() + (write.position - 1));
}

}  // namespace Stuff
