#include "cli/SetCommand.h"

#include <iostream>

#include "base/RuntimeError.h"
#include "cli/Report.h"
#include "run_file/FieldCodec.h"
#include "run_file/FieldRules.h"
#include "run_file/Notes.h"
#include "run_file/RunFile.h"

namespace {

using Stuff::Field;
using Stuff::VehicleTexts;

bool IsName(Field field) { return Stuff::Editable(field).entry == Stuff::EntryKind::Name; }

// The entries as the fields keep them and the notes as the window holds
// them, each checked as the window checks it when its field is left or the
// file saved; the reasons for every value refused, on standard error.
class Entries {
public:
    explicit Entries(const SetRequest& request) {
        for (const auto& [field, typed] : request.values) {
            Stuff::EntryCheck check = Stuff::CheckEntry(field, typed);
            if (!check.accepted) {
                Refuse(field, typed, check.message);
            } else if (IsName(field)) {
                Storable(field, typed, [&] { Stuff::EncodeTextField(check.entry, Stuff::Spec(field)); });
            }
            texts_.*Stuff::Editable(field).text = check.entry;
            selection_.fields.insert(field);
        }
        if (request.notes) {
            texts_.notes = Stuff::NotesFromTypedText(*request.notes);
            selection_.notes = true;
            Storable(std::nullopt, *request.notes, [&] {
                const size_t stored = Stuff::NotesForStorage(texts_.notes).size();
                if (const std::optional<std::string> refusal = Stuff::NotesRefusal(stored, 0)) {
                    throw RuntimeError(ErrorNumber::Overflow, *refusal);
                }
            });
        }
    }

    bool Accepted() const { return accepted_; }
    const Stuff::SaveSelection& Selection() const { return selection_; }

    // The file's texts with the entries in place of the loaded ones.
    VehicleTexts Over(const VehicleTexts& loaded) const {
        VehicleTexts texts = loaded;
        for (const Field field : selection_.fields) {
            const auto text = Stuff::Editable(field).text;
            texts.*text = texts_.*text;
        }
        if (selection_.notes) texts.notes = texts_.notes;
        return texts;
    }

private:
    void Refuse(std::optional<Field> field, const std::string& typed, std::string message) {
        // A name's message quotes the name whole.
        const std::string excerpt = Excerpt(typed);
        if (const size_t at = message.find(typed); excerpt != typed && at != std::string::npos) {
            message.replace(at, typed.size(), excerpt);
        }
        std::cerr << "tachlet-cli: " << (field ? std::string(Stuff::Spec(*field).name) : std::string("notes")) << ' '
                  << Quoted(excerpt) << " is refused:\n"
                  << WithNewlines(message) << '\n';
        accepted_ = false;
    }

    template <typename Store>
    void Storable(std::optional<Field> field, const std::string& typed, Store store) {
        try {
            store();
        } catch (const RuntimeError& refusal) {
            const std::string& reason = refusal.Description();
            Refuse(field, typed, reason.ends_with('.') ? reason : reason + ".");
        }
    }

    VehicleTexts texts_;
    Stuff::SaveSelection selection_;
    bool accepted_ = true;
};

std::string Shown(Field field, const std::string& text) { return Printable(IsName(field) ? Quoted(text) : text); }

// Each change from the value as loaded to the value as the file receives it,
// which a rounded number or a lone CR in the notes make differ from the entry.
void PrintChanges(const Stuff::SaveSelection& changed, const VehicleTexts& before, const VehicleTexts& after) {
    for (const Stuff::EditableField& row : Stuff::EditableFields) {
        if (!changed.Has(row.field)) continue;
        const std::string stored = Stuff::StoredText(after.*row.text, row.Spec());
        std::cout << "  " << row.Spec().name << ": " << Shown(row.field, before.*row.text) << " \u2192 "
                  << Shown(row.field, stored) << '\n';
    }
    if (changed.notes) {
        const std::string stored = Stuff::NotesForDisplay(Stuff::NotesForStorage(after.notes));
        std::cout << "  notes: " << Printable(Quoted(before.notes)) << " \u2192 " << Printable(Quoted(stored)) << '\n';
    }
}

// Why the entries cannot go into this file at all; nothing when they can.
std::optional<std::string> RefusalFor(const Stuff::RunFileContents& contents, const Stuff::SaveSelection& selection) {
    if (selection.Has(Field::PitchFactor) && !contents.HasPitchFactor()) {
        return "this file carries no pitch factor (" + contents.version.Caption() + ")";
    }
    if (selection.notes && !contents.notesPosition) {
        return "this file has no place for notes (no run data, or run data to its very end)";
    }
    return std::nullopt;
}

class Batch {
public:
    Batch(const Entries& entries, bool dryRun) : entries_(entries), dryRun_(dryRun) {}

    void File(const std::string& file) {
        if (const std::optional<std::string> failure = LoadForReport(runFile_, file)) {
            return Fail(file, *failure);
        }
        const Stuff::RunFileContents& contents = runFile_.Contents();
        if (contents.damagedCount != 0) {
            std::cerr << Printable(file) << ": " << contents.damagedCount << " damaged record(s) in its run data\n";
            status_ = Worse(status_, ExitStatus::Damaged);
        }
        if (const std::optional<std::string> refusal = RefusalFor(contents, entries_.Selection())) {
            return Refuse(file, *refusal);
        }
        const VehicleTexts before = contents.values;
        const VehicleTexts after = entries_.Over(before);
        Stuff::SaveSelection changed;
        try {
            changed = Stuff::ChangedSelection(before, after, contents.State(), entries_.Selection());
        } catch (const RuntimeError& refusal) {
            return Refuse(file, refusal.Description());
        }
        if (changed.fields.empty() && !changed.notes) {
            std::cout << Printable(file) << ": unchanged\n";
            return;
        }
        if (!dryRun_ && !Saved(file, after, changed)) return;
        std::cout << Printable(file) << (dryRun_ ? ": would change\n" : ": changed\n");
        PrintChanges(changed, before, after);
    }

    ExitStatus Status() const { return status_; }

private:
    bool Saved(const std::string& file, const VehicleTexts& after, const Stuff::SaveSelection& changed) {
        const Stuff::SaveOutcome outcome = runFile_.Save(after, changed);
        switch (outcome.status) {
        case Stuff::SaveStatus::Saved: return true;
        case Stuff::SaveStatus::Refused: Refuse(file, outcome.description); return false;
        case Stuff::SaveStatus::Changed:
            Fail(file, "The file has changed since it was loaded; nothing was written.");
            return false;
        case Stuff::SaveStatus::Failed: Fail(file, FailureText(outcome.number, outcome.description)); return false;
        }
        return false;
    }

    void Refuse(const std::string& file, const std::string& reason) {
        std::cout << Printable(file) << ": REFUSED\n";
        std::cerr << Printable(file) << ": " << reason << "; nothing was written.\n";
        status_ = Worse(status_, ExitStatus::Refused);
    }

    void Fail(const std::string& file, const std::string& failure) {
        std::cout << Printable(file) << ": ERROR " << failure << '\n';
        status_ = Worse(status_, ExitStatus::Failed);
    }

    const Entries& entries_;
    bool dryRun_;
    Stuff::RunFile runFile_;
    ExitStatus status_ = ExitStatus::Ok;
};

}  // namespace

ExitStatus Set(const SetRequest& request) {
    const Entries entries(request);
    if (!entries.Accepted()) {
        std::cerr << "No file was written.\n";
        return ExitStatus::Refused;
    }
    Batch batch(entries, request.dryRun);
    for (const std::string& file : request.files) batch.File(file);
    return batch.Status();
}
