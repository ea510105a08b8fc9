#include "cli/SetCommand.h"

#include <iostream>

#include "base/RuntimeError.h"
#include "cli/Report.h"
#include "cli/ShownFields.h"
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

// The notes as the file receives them, as the window shows them.
std::string StoredNotes(const std::string& notes) {
    return Stuff::NotesForDisplay(Stuff::NotesForStorage(notes));
}

// Each change from the value as loaded to the value as the file receives it,
// which a rounded number or a lone CR in the notes make differ from the entry,
// in the window's order.
void PrintChanges(const Stuff::SaveSelection& changed, const VehicleTexts& before, const VehicleTexts& after) {
    for (const ShownField& shown : ShownFields) {
        if (!changed.Has(shown.field)) continue;
        const std::string stored = Stuff::StoredText(shown.TextIn(after), shown.Row().Spec());
        std::cout << "  " << shown.Row().Spec().name << ": " << Shown(shown.field, shown.TextIn(before)) << " \u2192 "
                  << Shown(shown.field, stored) << '\n';
    }
    if (changed.notes) {
        std::cout << "  notes: " << Printable(Quoted(before.notes)) << " \u2192 "
                  << Printable(Quoted(StoredNotes(after.notes))) << '\n';
    }
}

// The same changes for a script: each value as show's JSON gives it.
Json ChangesJson(const Stuff::SaveSelection& changed, const VehicleTexts& before, const VehicleTexts& after) {
    Json changes = Json::object();
    for (const ShownField& shown : ShownFields) {
        if (!changed.Has(shown.field)) continue;
        const std::string stored = Stuff::StoredText(shown.TextIn(after), shown.Row().Spec());
        changes[shown.key] = Json{{"old", ValueJson(shown, shown.TextIn(before))},
                                  {"new", ValueJson(shown, stored)}};
    }
    if (changed.notes) {
        changes["notes"] = Json{{"old", WithNewlines(before.notes)}, {"new", WithNewlines(StoredNotes(after.notes))}};
    }
    return changes;
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

// What became of one file.
struct Outcome {
    const char* name;  // "changed", "wouldChange", "unchanged", "refused" or "error"
    Json changes = Json::object();
    std::optional<Failure> failure;
};

class Batch {
public:
    Batch(const Entries& entries, const SetRequest& request) : entries_(entries), request_(request) {
        if (request.output.format != Format::Text) records_.emplace(std::cout, request.output.format);
    }

    void File(const std::string& file, std::optional<Failure> failure) {
        warning_.reset();
        if (!failure) failure = LoadForReport(runFile_, file);
        if (failure) return Fail(file, *failure);
        const Stuff::RunFileContents& contents = runFile_.Contents();
        if (StatusOf(contents) == FileStatus::Damaged) {
            Warn(file, std::to_string(contents.damagedCount) + " damaged record(s) in its run data");
        } else if (StatusOf(contents) == FileStatus::Short) {
            Warn(file, "SHORT " + EndsBeforeRunData(contents));
        }
        if (const std::optional<std::string> refusal = RefusalFor(contents, entries_.Selection())) {
            return Refuse(file, {0, *refusal});
        }
        const VehicleTexts before = contents.values;
        const VehicleTexts after = entries_.Over(before);
        Stuff::SaveSelection changed;
        try {
            changed = Stuff::ChangedSelection(before, after, contents.State(), entries_.Selection());
        } catch (const RuntimeError& refusal) {
            return Refuse(file, {refusal.Number(), refusal.Description()});
        }
        if (changed.fields.empty() && !changed.notes) {
            if (ShowsOk()) std::cout << Printable(file) << ": unchanged\n";
            return Report(file, {"unchanged", Json::object(), std::nullopt});
        }
        if (!request_.dryRun && !Saved(file, after, changed)) return;
        if (ShowsOk()) {
            std::cout << Printable(file) << (request_.dryRun ? ": would change\n" : ": changed\n");
            PrintChanges(changed, before, after);
        }
        Report(file, {request_.dryRun ? "wouldChange" : "changed", ChangesJson(changed, before, after), std::nullopt});
    }

    ExitStatus Status() const { return status_; }

private:
    bool Saved(const std::string& file, const VehicleTexts& after, const Stuff::SaveSelection& changed) {
        const Stuff::SaveOutcome outcome = runFile_.Save(after, changed, {request_.keepDate});
        switch (outcome.status) {
        case Stuff::SaveStatus::Saved: return true;
        case Stuff::SaveStatus::Refused: Refuse(file, {outcome.number, outcome.description}); return false;
        case Stuff::SaveStatus::Changed:
            Fail(file, {0, "The file has changed since it was loaded; nothing was written."});
            return false;
        case Stuff::SaveStatus::Failed:
            Fail(file, FailureOf(file, RuntimeError(outcome.number, outcome.description, outcome.systemCode)));
            return false;
        }
        return false;
    }

    // A line about the file in the text report, for a file that went well:
    // with -q only a file with a warning has one.
    bool ShowsOk() const { return request_.output.format == Format::Text && (!request_.output.quiet || warning_); }

    void Warn(const std::string& file, const std::string& warning) {
        ReportProblem(file, warning);
        warning_ = warning;
        status_ = Worse(status_, ExitStatus::Damaged);
    }

    void Refuse(const std::string& file, const Failure& refusal) {
        ReportProblem(file, "REFUSED " + refusal.text + "; nothing was written.");
        status_ = Worse(status_, ExitStatus::Refused);
        Report(file, {"refused", Json::object(), refusal});
    }

    void Fail(const std::string& file, const Failure& failure) {
        ReportProblem(file, "ERROR " + failure.text);
        status_ = Worse(status_, ExitStatus::Failed);
        Report(file, {"error", Json::object(), failure});
    }

    void Report(const std::string& file, const Outcome& outcome) {
        const bool ok = !outcome.failure && !warning_;
        if (!records_ || (request_.output.quiet && ok)) return;
        Json object = PathObject(file);
        object["outcome"] = outcome.name;
        object["changes"] = outcome.changes;
        object["warning"] = warning_ ? Json(*warning_) : Json(nullptr);
        object["error"] = outcome.failure ? Json(outcome.failure->text) : Json(nullptr);
        object["errorNumber"] = outcome.failure && outcome.failure->number != 0 ? Json(outcome.failure->number)
                                                                               : Json(nullptr);
        records_->Add(object);
    }

    const Entries& entries_;
    const SetRequest& request_;
    std::optional<Records> records_;
    std::optional<std::string> warning_;
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
    Batch batch(entries, request);
    const ExitStatus listed = ForEachSelectedFile(
        request.selection, [&batch](const std::string& file, const std::optional<Failure>& failure) {
            batch.File(file, failure);
        });
    return Worse(batch.Status(), listed);
}
