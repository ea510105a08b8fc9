#pragma once
// The save as a list of writes, worked out completely before the file is
// touched: every value is converted and checked first, so a value that cannot
// be stored stops the save with nothing written.
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "run_file/FieldTable.h"
#include "run_file/RunFileLayout.h"
#include "run_file/RunFileState.h"
#include "run_file/VehicleTexts.h"

namespace Stuff {

struct FileWrite {
    uint64_t position;  // 1-based
    std::vector<uint8_t> bytes;
};

using SavePlan = std::vector<FileWrite>;

// Which values a save writes: some of the fixed fields, and the notes or not.
struct SaveSelection {
    std::set<Field> fields;
    bool notes = false;

    // Every field and the notes, as the window saves.
    static SaveSelection Everything() {
        SaveSelection all{{}, true};
        for (const EditableField& row : EditableFields) all.fields.insert(row.field);
        return all;
    }
    bool Has(Field field) const { return fields.count(field) != 0; }
};

// The writes of the selected values, in order: run name, pitch factor
// (version 2.0 and later), vehicle name, weight, rollout length, redline,
// shift point, then the notes as one write at the notes position: the length
// byte N, the N notes bytes and one NUL. Without a notes position (no run
// data, or run data running to the end of the file) nothing of the notes is
// written.
//
// Throws RuntimeError naming the field: 13 for a value that is not a number,
// 6 for one outside its field or notes of more than 255 bytes, 5 for a
// character the file cannot store or notes exactly as long as a run-data
// record (they would read back as one more record, and be lost).
SavePlan MakeSavePlan(const VehicleTexts& texts, const RunFileState& state,
                      const SaveSelection& selection = SaveSelection::Everything());

// Of the selected values, those whose stored bytes would differ between the
// texts `before` (as loaded) and `after`: a save of just these changes what a
// save of the whole selection would. "03000" stores as "3000" does, so it is
// no change. A value of `before` that cannot be stored counts as changed.
// Throws as MakeSavePlan does for a value of `after` that cannot be stored.
SaveSelection ChangedSelection(const VehicleTexts& before, const VehicleTexts& after, const RunFileState& state,
                               const SaveSelection& selection);

// The file's length once the plan is applied: notes may reach past the end.
uint64_t LengthAfterSave(uint64_t length, std::span<const FileWrite> plan);

// Applies the plan to a file held in memory.
void ApplySavePlan(std::vector<uint8_t>& file, std::span<const FileWrite> plan);

}  // namespace Stuff
