#pragma once
// One run file from its load to its saves. The load opens the file with its
// lock, reads the version and the fixed fields, scans the run data, remembers
// what it learned (layout, notes position, the file's fingerprint) and closes
// the file. A save works out and checks every value first, then opens the
// file with its lock, makes sure it is still the file loaded and unchanged,
// writes only the fields and the notes, waits until they are on the disk and
// closes the file; the fingerprint then describes the file as saved, so the
// next save of the same load works too. The file is never left open or locked,
// whatever way a load or a save ends.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "run_file/ByteSource.h"
#include "run_file/FileFingerprint.h"
#include "run_file/RunFileState.h"
#include "run_file/SavePlan.h"
#include "run_file/VersionField.h"
#include "support/LockedFile.h"

namespace Stuff {

// What a load found: everything the window and the command-line tool show.
struct RunFileContents {
    VersionField version;
    float passVersionNumber = 0.0f;
    // The values as texts: names as read, weight, redline and shift point as
    // whole numbers, rollout length and pitch factor with one decimal ("n/a"
    // when the version has no pitch factor), the notes with CR LF breaks.
    VehicleTexts values;
    uint8_t recordLength = 0;  // L; 0 when there is no run data
    uint64_t recordCount = 0;
    uint64_t damagedCount = 0;
    std::vector<uint64_t> damagedPositions;  // the first of them, MaxListedDamaged at most
    std::optional<uint64_t> notesPosition;
    // The file's length as loaded: one shorter than the run-data start ends
    // before its run data, cut short or no run file at all.
    uint64_t fileSize = 0;

    bool HasPitchFactor() const;
    bool EndsBeforeRunData() const { return fileSize < version.runDataStart; }
    RunFileState State() const;
};

// Told of the load's progress as it reads, so that a window can show each
// value as soon as it is known and stay responsive during a long scan. Every
// call comes while the file is open and locked.
class LoadListener {
public:
    virtual ~LoadListener() = default;
    // The file is open; nothing is read yet. `file` stays open until Closing.
    virtual void Opened(const LockedFile& /*file*/) {}
    // The load is done with the file, however it ends: the file is closed
    // already or next. Must not throw.
    virtual void Closing() {}
    // The version field is decoded; its number is worked out next and may
    // still fail the load.
    virtual void VersionRead(const VersionField& /*version*/) {}
    // The fixed fields are read (the notes and the scan's results are not).
    virtual void FieldsRead(const RunFileContents& /*contents*/) {}
    // There is run data, and its scan begins.
    virtual void ScanStarted() {}
    // Every few thousand records: the count so far.
    virtual void Scanning(uint64_t /*recordsSoFar*/) {}
    // Everything is read; the file is still locked.
    virtual void Loaded(const RunFileContents& /*contents*/) {}
};

// Reads a whole run file from a source: the load's reads, in the load's
// order. Throws RuntimeError where the load fails (a file cut short inside a
// field, a version text that is no number).
RunFileContents ReadRunFile(ByteSource& source, LoadListener& listener);
RunFileContents ReadRunFile(ByteSource& source);

enum class SaveStatus {
    Saved,
    Refused,  // a value cannot be stored; nothing was opened or written
    Changed,  // the path names another file now, or the file was written since the load: nothing was
              // written to the file the path names (one renamed over it during the writes took them)
    Failed,   // the file could not be opened, reserved, written or flushed
};

// How a save treats the file besides the values it writes.
struct SaveOptions {
    // The file keeps the time of its last write as the save found it.
    bool keepModifiedTime = false;
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::Saved;
    // For Refused and Failed: the error number and its description, and for
    // Failed the system's own code when a system call failed (see RuntimeError).
    int32_t number = 0;
    std::string description;
    int32_t systemCode = 0;
};

class RunFile {
public:
    // Loads the file at `path`; what an earlier load learned is forgotten
    // first. Throws RuntimeError when the file cannot be opened or read or is
    // no run file; the file is closed by then.
    void Load(const std::string& path, LoadListener& listener);
    void Load(const std::string& path);

    bool IsLoaded() const { return loaded_.has_value(); }
    // The path as given to the load; empty when nothing is loaded.
    const std::string& Path() const { return path_; }
    // What the last successful load found, with the values of later saves.
    const RunFileContents& Contents() const { return *loaded_; }
    void Forget();
    // The loaded file now goes by another name: later saves open it there.
    // Its identity is still checked against the load's, so a path that names
    // another file is refused as a changed one. Nothing when nothing is loaded.
    void FollowRename(const std::string& newPath);

    // Writes the selected values into the file loaded last.
    SaveOutcome Save(const VehicleTexts& texts, const SaveSelection& selection = SaveSelection::Everything(),
                     SaveOptions options = {});

private:
    void Remember(const VehicleTexts& texts, const SaveSelection& selection);

    std::string path_;
    std::optional<RunFileContents> loaded_;
    std::optional<FileFingerprint> fingerprint_;
};

}  // namespace Stuff
