#include "run_file/SavePlan.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "base/RuntimeError.h"
#include "run_file/Conversions.h"
#include "run_file/FieldCodec.h"
#include "run_file/FieldRules.h"
#include "run_file/Notes.h"
#include "run_file/VersionField.h"

namespace Stuff {

namespace {

void AddNotes(SavePlan& plan, const std::string& shown, const RunFileState& state) {
    std::vector<uint8_t> stored = NotesForStorage(shown);
    if (const std::optional<std::string> refusal = NotesRefusal(stored.size(), state.RecordLength)) {
        throw RuntimeError(stored.size() > MaxNotesBytes ? ErrorNumber::Overflow : ErrorNumber::InvalidProcedureCall,
                           *refusal);
    }
    // The length byte, the text and the NUL go out in one write: written
    // apart, a save cut short between them would leave the new length over
    // the old text, which loads as neither the old notes nor the new ones.
    std::vector<uint8_t> block = NumberToBytes(static_cast<int32_t>(stored.size()));
    block.insert(block.end(), stored.begin(), stored.end());
    block.push_back(0x00);
    plan.push_back({*state.NotesPosition, std::move(block)});
}

// The bytes the field's value in the texts stores.
std::vector<uint8_t> StoredBytes(const VehicleTexts& texts, const EditableField& row) {
    return EncodeField(texts.*row.text, row.Spec());
}

// The stored form of a value as loaded; nothing when it cannot be stored.
template <typename Encode>
std::optional<std::vector<uint8_t>> StoredOrNothing(Encode encode) {
    try {
        return encode();
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

SavePlan MakeSavePlan(const VehicleTexts& texts, const RunFileState& state, const SaveSelection& selection) {
    SavePlan plan;
    for (const EditableField& row : EditableFields) {
        if (!selection.Has(row.field)) continue;
        if (row.field == Field::PitchFactor && !HasPitchFactor(state.PassVersionNumber)) continue;
        plan.push_back({row.Spec().position, StoredBytes(texts, row)});
    }
    if (selection.notes && state.NotesPosition) AddNotes(plan, texts.notes, state);
    return plan;
}

SaveSelection ChangedSelection(const VehicleTexts& before, const VehicleTexts& after, const RunFileState& state,
                               const SaveSelection& selection) {
    MakeSavePlan(after, state, selection);  // refuses what cannot be stored
    SaveSelection changed;
    for (const Field field : selection.fields) {
        if (field == Field::PitchFactor && !HasPitchFactor(state.PassVersionNumber)) continue;
        const EditableField& row = Editable(field);
        if (StoredOrNothing([&] { return StoredBytes(before, row); }) != StoredBytes(after, row)) {
            changed.fields.insert(field);
        }
    }
    changed.notes = selection.notes && state.NotesPosition &&
                    StoredOrNothing([&] { return NotesForStorage(before.notes); }) != NotesForStorage(after.notes);
    return changed;
}

uint64_t LengthAfterSave(uint64_t length, std::span<const FileWrite> plan) {
    for (const FileWrite& write : plan) length = std::max(length, write.position - 1 + write.bytes.size());
    return length;
}

void ApplySavePlan(std::vector<uint8_t>& file, std::span<const FileWrite> plan) {
    file.resize(LengthAfterSave(file.size(), plan));
    for (const FileWrite& write : plan) std::copy(write.bytes.begin(), write.bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(write.position - 1));
}

}  // namespace Stuff
