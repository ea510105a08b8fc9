#include <gtest/gtest.h>

#include <functional>

#include "testkit/RunFileBuilder.h"
#include "run_file/FieldCodec.h"
#include "run_file/Notes.h"
#include "run_file/SavePlan.h"
#include "support/RuntimeError.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

const RunFileBuilder Loaded = RunFileBuilder().Records(5, 20).Notes(std::string(10, 'n')).Tail(30);

VehicleTexts Committed() { return {"Run 4", "Vette", "3000", "6500", "6000", "2.5", "1.0", "a\r\nb"}; }

RunFileState StateOf(const RunFileBuilder& builder, float version = 2.0f) {
    return {builder.RunDataStart(), version, 20, builder.NotesPosition()};
}

Bytes WriteAt(const SavePlan& plan, uint64_t position) {
    for (const FileWrite& write : plan) {
        if (write.position == position) return write.bytes;
    }
    return {};
}

std::vector<uint64_t> PositionsOf(const SavePlan& plan) {
    std::vector<uint64_t> positions;
    for (const FileWrite& write : plan) positions.push_back(write.position);
    return positions;
}

int32_t RefusalOf(const VehicleTexts& texts, const RunFileState& state, const std::string& naming) {
    try {
        MakeSavePlan(texts, state);
    } catch (const RuntimeError& error) {
        EXPECT_NE(error.Description().find(naming), std::string::npos) << error.Description();
        return error.Number();
    }
    return 0;
}

}  // namespace

TEST(SavePlan, WritesEveryFieldInOrderWithItsBytes) {
    const uint64_t notes = Loaded.NotesPosition();
    const SavePlan plan = MakeSavePlan(Committed(), StateOf(Loaded));
    EXPECT_EQ(PositionsOf(plan), (std::vector<uint64_t>{20, 77, 132, 148, 150, 152, 154, notes, notes + 1}));
    const SavePlan old = MakeSavePlan(Committed(), StateOf(Loaded, 1.11f));
    EXPECT_EQ(PositionsOf(old), (std::vector<uint64_t>{20, 132, 148, 150, 152, 154, notes, notes + 1}));

    struct Case { std::function<void(VehicleTexts&)> edit; uint64_t position; Bytes bytes; };
    const std::vector<Case> cases{
        {[](VehicleTexts& t) { t.weight = "200"; }, 148, {0x00, 0xC8}},
        {[](VehicleTexts& t) { t.weight = "65535"; }, 148, {0xFF, 0xFF}},
        {[](VehicleTexts& t) { t.weight = "1.5"; }, 148, {0x00, 0x02}},
        {[](VehicleTexts& t) { t.redline = "7000"; }, 152, {0x1B, 0x58}},
        {[](VehicleTexts& t) { t.shiftPoint = "1"; }, 154, {0x00, 0x01}},
        {[](VehicleTexts& t) { t.rollout = "2.5"; }, 150, {25}},
        {[](VehicleTexts& t) { t.pitch = "9.9"; }, 77, {99}},
        {[](VehicleTexts& t) { t.vehicleName = "€"; }, 132, {0x80, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {[](VehicleTexts& t) { t.notes = "a\r\nb"; }, notes, {3}},
        {[](VehicleTexts& t) { t.notes = "a\r\nb"; }, notes + 1, {0x61, 0x0D, 0x62, 0x00}},
        {[](VehicleTexts& t) { t.notes = ""; }, notes, {0}},
        {[](VehicleTexts& t) { t.notes = ""; }, notes + 1, {0}},
        {[](VehicleTexts& t) { t.notes = std::string(255, 'x'); }, notes, {255}},
    };
    for (const Case& c : cases) {
        VehicleTexts texts = Committed();
        c.edit(texts);
        EXPECT_EQ(WriteAt(MakeSavePlan(texts, StateOf(Loaded)), c.position), c.bytes) << c.position;
    }
}

TEST(SavePlan, RefusesValuesThatDoNotFitBeforeWritingAnything) {
    struct Case { std::function<void(VehicleTexts&)> edit; int32_t number; std::string naming; };
    const std::vector<Case> cases{
        {[](VehicleTexts& t) { t.weight = "heavy"; }, 13, "vehicle weight"},
        {[](VehicleTexts& t) { t.redline = "65536"; }, 6, "redline"},
        {[](VehicleTexts& t) { t.shiftPoint = "-5"; }, 6, "shift point"},
        {[](VehicleTexts& t) { t.rollout = "25.6"; }, 6, "rollout length"},
        {[](VehicleTexts& t) { t.pitch = "n/a"; }, 13, "pitch factor"},
        {[](VehicleTexts& t) { t.runName = "Ωmega"; }, 5, "run name"},
        {[](VehicleTexts& t) { t.notes = "Ω"; }, 5, "notes"},
        {[](VehicleTexts& t) { t.notes = std::string(256, 'x'); }, 6, "notes"},
        {[](VehicleTexts& t) { t.notes = std::string(127, 'x') + "\r\n" + std::string(127, 'x'); }, 0, ""},
        {[](VehicleTexts& t) { t.notes = std::string(128, 'x') + "\r\n" + std::string(127, 'x'); }, 6, "notes"},
        // Notes as long as a record would read back as one more record.
        {[](VehicleTexts& t) { t.notes = std::string(20, 'x'); }, 5, "notes"},
    };
    for (const Case& c : cases) {
        VehicleTexts texts = Committed();
        c.edit(texts);
        EXPECT_EQ(RefusalOf(texts, StateOf(Loaded), c.naming), c.number) << c.naming;
    }
    VehicleTexts oldFile = Committed();
    oldFile.pitch = "n/a";
    EXPECT_EQ(RefusalOf(oldFile, StateOf(Loaded, 1.11f), ""), 0);
}

TEST(SavePlan, WithoutANotesPositionTheNotesAreNotWritten) {
    RunFileState state = StateOf(Loaded);
    state.NotesPosition.reset();
    VehicleTexts texts = Committed();
    texts.notes = std::string(300, 'x');
    EXPECT_EQ(PositionsOf(MakeSavePlan(texts, state)), (std::vector<uint64_t>{20, 77, 132, 148, 150, 152, 154}));
}

TEST(SavePlan, AppliedPlanChangesOnlyItsFieldsAndReadsBack) {
    for (const std::string& notes : {std::string("x\r\ny"), std::string(60, 'z'), std::string()}) {
        const Bytes original = Loaded.Build();
        VehicleTexts texts{"Night run", "Wagon", "200", "7000", "6800", "25.5", "9.9", notes};
        const SavePlan plan = MakeSavePlan(texts, StateOf(Loaded));
        Bytes saved = original;
        ApplySavePlan(saved, plan);
        ASSERT_EQ(saved.size(), LengthAfterSave(original.size(), plan));
        std::vector<bool> written(saved.size(), false);
        for (const FileWrite& write : plan) {
            for (uint64_t i = 0; i < write.bytes.size(); ++i) written[write.position - 1 + i] = true;
        }
        for (uint64_t i = 0; i < original.size(); ++i) {
            if (!written[i]) {
                ASSERT_EQ(saved[i], original[i]) << "position " << i + 1;
            }
        }
        MemoryByteSource source(saved);
        EXPECT_EQ(DecodeTextField(ReadField(source, Spec(Field::RunName))), texts.runName);
        EXPECT_EQ(DecodeTextField(ReadField(source, Spec(Field::VehicleName))), texts.vehicleName);
        EXPECT_EQ(DecodeTwoByte(ReadField(source, Spec(Field::VehicleWeight))), texts.weight);
        EXPECT_EQ(DecodeTwoByte(ReadField(source, Spec(Field::Redline))), texts.redline);
        EXPECT_EQ(DecodeTwoByte(ReadField(source, Spec(Field::ShiftPoint))), texts.shiftPoint);
        EXPECT_EQ(DecodeTenths(ReadField(source, Spec(Field::RolloutLength))[0]), texts.rollout);
        EXPECT_EQ(DecodeTenths(ReadField(source, Spec(Field::PitchFactor))[0]), texts.pitch);
        const uint8_t n = saved[Loaded.NotesPosition() - 1];
        EXPECT_EQ(NotesForDisplay(ReadStoredNotes(source, Loaded.NotesPosition(), n)), notes);
    }
}

TEST(SavePlan, LongerNotesMayGrowTheFile) {
    const RunFileBuilder builder = RunFileBuilder().Records(2, 20).Notes("ab");
    const Bytes original = builder.Build();
    VehicleTexts texts = Committed();
    texts.notes = "abcdef";
    const SavePlan plan = MakeSavePlan(texts, StateOf(builder));
    EXPECT_EQ(LengthAfterSave(original.size(), plan), original.size() + 5);
    texts.notes = "a";
    EXPECT_EQ(LengthAfterSave(original.size(), MakeSavePlan(texts, StateOf(builder))), original.size());
}
