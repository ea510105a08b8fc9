#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "run_file/FileFingerprint.h"
#include "run_file/SavePlan.h"
#include "testkit/RunFileBuilder.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

const RunFileBuilder Loaded = RunFileBuilder().Records(5, 20).Notes(std::string(10, 'n')).Tail(30);
const VehicleTexts Committed{"Run 4", "Vette", "3000", "6500", "6000", "2.5", "1.0", "a\r\nb"};

RunFileState StateOf(const RunFileBuilder& builder, float version = 2.0f) {
    return {builder.RunDataStart(), version, 20, builder.NotesPosition()};
}

SavePlan PlanWith(std::string VehicleTexts::*field, std::string text, const RunFileState& state = StateOf(Loaded)) {
    VehicleTexts texts = Committed;
    texts.*field = std::move(text);
    return MakeSavePlan(texts, state);
}

}  // namespace

TEST(SavePlan, RefusesValuesThatDoNotFitBeforeWritingAnything) {
    struct Case { std::string VehicleTexts::*field; std::string text; int32_t number; std::string naming; };
    const std::vector<Case> cases{
        {&VehicleTexts::weight, "heavy", 13, "vehicle weight"},
        {&VehicleTexts::redline, "65536", 6, "redline"},
        {&VehicleTexts::shiftPoint, "-5", 6, "shift point"},
        {&VehicleTexts::rollout, "25.6", 6, "rollout length"},
        {&VehicleTexts::pitch, "n/a", 13, "pitch factor"},
        {&VehicleTexts::runName, "Ωmega", 5, "run name"},
        {&VehicleTexts::notes, "Ω", 5, "notes"},
        {&VehicleTexts::notes, std::string(128, 'x') + "\r\n" + std::string(127, 'x'), 6, "notes"},  // 256 stored
        {&VehicleTexts::notes, std::string(20, 'x'), 5, "notes"},  // would read back as one more record
    };
    for (const Case& c : cases) {
        try {
            PlanWith(c.field, c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), c.number) << c.text;
            EXPECT_NE(error.Description().find(c.naming), std::string::npos) << error.Description();
        }
    }
    EXPECT_NO_THROW(PlanWith(&VehicleTexts::notes, std::string(127, 'x') + "\r\n" + std::string(127, 'x')));
    EXPECT_NO_THROW(PlanWith(&VehicleTexts::pitch, "n/a", StateOf(Loaded, 1.11f)));
}

TEST(SavePlan, ChangedSelectionKeepsTheValuesWhoseStoredBytesDiffer) {
    const SaveSelection all = SaveSelection::Everything();
    VehicleTexts after = Committed;
    after.weight = "03000";  // stores as "3000"
    after.rollout = "2.7";
    after.runName = "Run 5";
    SaveSelection changed = ChangedSelection(Committed, after, StateOf(Loaded), all);
    EXPECT_EQ(changed.fields, (std::set<Field>{Field::RunName, Field::RolloutLength}));
    EXPECT_FALSE(changed.notes);

    // Only the selection counts; no pitch factor before version 2.0, no notes without their place.
    after.pitch = "2.0";
    after.notes = "c";
    RunFileState old = StateOf(Loaded, 1.11f);
    old.NotesPosition.reset();
    changed = ChangedSelection(Committed, after, old, {{Field::PitchFactor, Field::VehicleWeight}, true});
    EXPECT_TRUE(changed.fields.empty());
    EXPECT_FALSE(changed.notes);
    EXPECT_TRUE(ChangedSelection(Committed, after, StateOf(Loaded), all).notes);

    // A loaded value that cannot be stored is a change; a new one is refused.
    VehicleTexts odd = Committed;
    odd.weight = "0x";
    EXPECT_EQ(ChangedSelection(odd, Committed, StateOf(Loaded), all).fields, std::set<Field>{Field::VehicleWeight});
    EXPECT_THROW(ChangedSelection(Committed, odd, StateOf(Loaded), all), RuntimeError);
}

TEST(Fingerprint, TellsWhetherThePathStillNamesTheFileLoadedAsItWas) {
    const Bytes file = RunFileBuilder().Records(3, 20).Notes("ab").Build();
    const SystemFile::FileStamp stamp{7, 42, file.size(), 1'700'000'000'123'456'789};
    MemoryByteSource source(file);
    const FileFingerprint loaded = FileFingerprint::Take(source, stamp, 312 + 3 * 24);
    auto matches = [&loaded](const Bytes& bytes, const SystemFile::FileStamp& now) {
        MemoryByteSource changed(bytes);
        return loaded.Matches(changed, now);
    };
    EXPECT_TRUE(matches(file, stamp));

    // Another file at the path, or a write since: the system's stamp tells.
    for (const SystemFile::FileStamp& other : {SystemFile::FileStamp{8, 42, file.size(), stamp.modifiedNs},
                                              SystemFile::FileStamp{7, 43, file.size(), stamp.modifiedNs},
                                              SystemFile::FileStamp{7, 42, file.size() + 1, stamp.modifiedNs},
                                              SystemFile::FileStamp{7, 42, file.size(), stamp.modifiedNs + 1}}) {
        EXPECT_FALSE(matches(file, other)) << other.device << " " << other.index << " " << other.size << " " << other.modifiedNs;
    }
    // A write within the same tick of the file system's clock leaves the
    // stamp as it was: the bytes the save works from tell.
    Bytes weight = file, otherVersion = file, notes = file, movedNotes = file, recordAtEnd = file;
    weight[147] ^= 1;
    otherVersion[283] = '1';
    notes[312 + 3 * 24 + 1] = 'x';
    movedNotes[312 + 2 * 24 - 1] = 7;    // the third length byte now reads as the notes
    recordAtEnd[312 + 3 * 24 - 1] = 20;  // the notes byte now starts a record cut short
    const std::pair<const char*, const Bytes&> changes[] = {
        {"weight", weight}, {"version", otherVersion}, {"notes", notes}, {"moved notes", movedNotes}, {"record at the end", recordAtEnd}};
    for (const auto& [what, changed] : changes) EXPECT_FALSE(matches(changed, stamp)) << what;
}
