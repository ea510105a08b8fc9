#include "run_file/RunFile.h"

#include "base/RuntimeError.h"
#include "run_file/FieldCodec.h"
#include "run_file/FileByteSource.h"
#include "run_file/Notes.h"
#include "run_file/RunDataScanner.h"
#include "run_file/RunFileLayout.h"
#include "support/LockedFile.h"

namespace Stuff {

namespace {

// How many records the scan reads between two reports of its progress.
constexpr uint64_t RecordsPerReport = 4096;

void ReadFixedFields(ByteSource& source, RunFileContents& contents) {
    for (const EditableField& row : EditableFields) {
        const bool absent = row.field == Field::PitchFactor && !contents.HasPitchFactor();
        contents.values.*row.text = absent ? "n/a" : DecodeField(ReadField(source, row.Spec()), row.Spec());
    }
}

void ScanRunData(ByteSource& source, RunFileContents& contents, LoadListener& listener) {
    RunDataScanner scanner(source, contents.version.runDataStart);
    contents.recordLength = scanner.RecordLength();
    if (!scanner.Done()) {
        listener.ScanStarted();
        while (!scanner.Advance(RecordsPerReport)) listener.Scanning(scanner.RecordCount());
    }
    contents.recordCount = scanner.RecordCount();
    contents.damagedCount = scanner.DamagedCount();
    contents.damagedPositions = scanner.DamagedPositions();
    contents.notesPosition = scanner.NotesPosition();
    if (contents.notesPosition) {
        contents.values.notes =
            NotesForDisplay(ReadStoredNotes(source, *contents.notesPosition, scanner.NotesLength()));
    }
}

// Takes the room on the disk for the plan before anything is written, so a
// full disk stops the save with the file as it was.
void ReserveFor(const LockedFile& file, const SavePlan& plan) {
    const uint64_t length = LengthAfterSave(file.Stamp().size, plan);
    try {
        file.Reserve(static_cast<int64_t>(length));
    } catch (const RuntimeError& error) {
        throw RuntimeError(error.Number(), error.Description() +
                                               ": no room for the longer notes on the disk; nothing was written");
    }
}

// Tells the listener, however the load ends, before the file object goes.
class ClosingNotice {
public:
    explicit ClosingNotice(LoadListener& listener) : listener_(listener) {}
    ~ClosingNotice() { listener_.Closing(); }
    ClosingNotice(const ClosingNotice&) = delete;
    ClosingNotice& operator=(const ClosingNotice&) = delete;

private:
    LoadListener& listener_;
};

}  // namespace

bool RunFileContents::HasPitchFactor() const { return Stuff::HasPitchFactor(passVersionNumber); }

RunFileState RunFileContents::State() const {
    return RunFileState{version.runDataStart, passVersionNumber, recordLength, notesPosition};
}

RunFileContents ReadRunFile(ByteSource& source, LoadListener& listener) {
    RunFileContents contents;
    contents.fileSize = source.Size();
    contents.version = DecodeVersionField(ReadField(source, Spec(Field::Version)));
    listener.VersionRead(contents.version);
    contents.passVersionNumber = PassVersionNumber(contents.version.versionText);
    ReadFixedFields(source, contents);
    listener.FieldsRead(contents);
    ScanRunData(source, contents, listener);
    return contents;
}

RunFileContents ReadRunFile(ByteSource& source) {
    LoadListener quiet;
    return ReadRunFile(source, quiet);
}

void RunFile::Load(const std::string& path, LoadListener& listener) {
    Forget();
    LockedFile file(path, LockedFile::OpenMode::Read);
    // Taken before the first read: a write by someone who ignores the lock
    // while we read makes the next save refuse.
    const SystemFile::FileStamp opened = file.Stamp();
    FileByteSource source(file);
    listener.Opened(file);
    const ClosingNotice notice(listener);
    RunFileContents contents = ReadRunFile(source, listener);
    FileFingerprint fingerprint = FileFingerprint::Take(source, opened, contents.notesPosition);
    listener.Loaded(contents);
    file.Close();
    path_ = path;
    loaded_ = std::move(contents);
    fingerprint_ = std::move(fingerprint);
}

void RunFile::Load(const std::string& path) {
    LoadListener quiet;
    Load(path, quiet);
}

void RunFile::Forget() {
    path_.clear();
    loaded_.reset();
    fingerprint_.reset();
}

void RunFile::FollowRename(const std::string& newPath) {
    if (loaded_) {
        path_ = newPath;
    }
}

SaveOutcome RunFile::Save(const VehicleTexts& texts, const SaveSelection& selection, SaveOptions options) {
    if (!loaded_) {
        return {SaveStatus::Refused, ErrorNumber::BadFileNameOrNumber, "No run file is loaded"};
    }
    SavePlan plan;
    try {
        plan = MakeSavePlan(texts, loaded_->State(), selection);
    } catch (const RuntimeError& refusal) {
        return {SaveStatus::Refused, refusal.Number(), refusal.Description()};
    }
    try {
        LockedFile file(path_, LockedFile::OpenMode::ReadWrite);
        FileByteSource source(file);
        const SystemFile::FileStamp found = file.Stamp();
        if (!fingerprint_->Matches(source, found)) {
            return {SaveStatus::Changed, 0, {}};
        }
        try {
            ReserveFor(file, plan);
            for (const FileWrite& write : plan) {
                file.Write(static_cast<int64_t>(write.position), write.bytes);
            }
            if (options.keepModifiedTime) file.SetModified(found.modifiedNs);
            file.Flush();
        } catch (const RuntimeError&) {
            // What is in the file now is our own doing (nothing, after a full
            // disk), so a save once the cause is gone must not take it for
            // another program's change.
            fingerprint_ = FileFingerprint::Take(source, file.Stamp(), loaded_->notesPosition);
            throw;
        }
        fingerprint_ = FileFingerprint::Take(source, file.Stamp(), loaded_->notesPosition);
        // Another file renamed over the path while we wrote took the path
        // with it: the values went to a file nobody will find, and the file
        // at the path has none of them.
        if (!file.PathStillNamesIt()) {
            return {SaveStatus::Changed, 0, {}};
        }
        file.Close();
    } catch (const RuntimeError& failure) {
        return {SaveStatus::Failed, failure.Number(), failure.Description(), failure.SystemCode()};
    }
    Remember(texts, selection);
    return {};
}

void RunFile::Remember(const VehicleTexts& texts, const SaveSelection& selection) {
    for (const EditableField& row : EditableFields) {
        if (!selection.Has(row.field)) continue;
        if (row.field == Field::PitchFactor && !loaded_->HasPitchFactor()) continue;
        loaded_->values.*row.text = texts.*row.text;
    }
    if (selection.notes && loaded_->notesPosition) loaded_->values.notes = texts.notes;
}

}  // namespace Stuff
