// The rules for entered values that the window and the command-line tool
// share: ranges and their messages, the rounding of the rollout length, the
// name and notes limits.
#include <gtest/gtest.h>

#include "run_file/FieldRules.h"

using namespace Stuff;

TEST(FieldRules, NumberEntriesAreCheckedAgainstTheirRangeAfterTheRolloutIsRounded) {
    struct Case {
        Field field;
        const char* entry;
        bool accepted;
        const char* kept = nullptr;  // the entry as the field keeps it, when not as given
    };
    const Case cases[] = {
        {Field::VehicleWeight, "0", false},       {Field::VehicleWeight, "65536", false},
        {Field::VehicleWeight, "", false},        {Field::VehicleWeight, "abc", false},
        {Field::VehicleWeight, "0.5", false},     {Field::VehicleWeight, "1e3", false},
        {Field::VehicleWeight, "99999999999", false},
        {Field::VehicleWeight, "65535", true},    {Field::VehicleWeight, "1", true},
        {Field::VehicleWeight, "1.5", true},      {Field::VehicleWeight, " 200 ", true},
        {Field::Redline, "70000", false},         {Field::ShiftPoint, "x", false},
        {Field::RolloutLength, "2.25", true, "2.3"}, {Field::RolloutLength, "2.24", true, "2.2"},
        {Field::RolloutLength, "7", true, "7.0"},    {Field::RolloutLength, ".5", true, "0.5"},
        {Field::RolloutLength, "0.05", true, "0.1"}, {Field::RolloutLength, "25.5", true},
        {Field::RolloutLength, "0", true, "0.0"},    {Field::RolloutLength, "25.6", false},
        {Field::RolloutLength, "30", false, "30.0"}, {Field::RolloutLength, "-1", false, "-1.0"},
        {Field::RolloutLength, "abc", false},        {Field::RolloutLength, "1e40", false},
        {Field::PitchFactor, "9.9", true},           {Field::PitchFactor, "0", true},
        {Field::PitchFactor, "10", false},           {Field::PitchFactor, "-1", false},
        {Field::PitchFactor, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Spec(c.field).name) + " \"" + c.entry + "\"");
        const EntryCheck check = CheckEntry(c.field, c.entry);
        EXPECT_EQ(check.accepted, c.accepted);
        EXPECT_EQ(check.entry, c.kept ? c.kept : c.entry);
        const std::string range = c.field == Field::RolloutLength ? "0-25.5"
                                  : c.field == Field::PitchFactor ? "0-9.9"
                                                                  : "1-65535";
        EXPECT_EQ(check.message, c.accepted ? "" : "You entered a value that is out of the allowable range (" + range +
                                                        ").\r\nPlease correct this now.");
    }
    // The tool's help words the range too (the tooltips of the window, which
    // gives the rollout length none, are checked where it shows them).
    EXPECT_EQ(LimitText(Editable(Field::RolloutLength)), "The range is 0 to 25.5.");
}

TEST(FieldRules, NamesTakeUpToTheirTypingLimitOfCharacters) {
    EXPECT_TRUE(CheckEntry(Field::RunName, std::string(47, 'r')).accepted);
    EXPECT_TRUE(CheckEntry(Field::RunName, "  Run 7  ").accepted);
    EXPECT_EQ(CheckEntry(Field::RunName, "  Run 7  ").entry, "  Run 7  ");
    EXPECT_TRUE(CheckEntry(Field::VehicleName, "Caf\xC3\xA9 \xE2\x82\xAC 12345678").accepted);  // 15 characters
    const EntryCheck longName = CheckEntry(Field::RunName, std::string(48, 'r'));
    EXPECT_FALSE(longName.accepted);
    EXPECT_NE(longName.message.find("47"), std::string::npos) << longName.message;
    EXPECT_FALSE(CheckEntry(Field::VehicleName, std::string(16, 'v')).accepted);
}

TEST(FieldRules, NotesBreaksAndLimits) {
    EXPECT_EQ(NotesFromTypedText("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(NotesRefusal(255, 20), std::nullopt);
    EXPECT_EQ(NotesRefusal(0, 20), std::nullopt);
    ASSERT_TRUE(NotesRefusal(256, 20));
    EXPECT_NE(NotesRefusal(256, 20)->find("256"), std::string::npos);
    // As long as a record, the notes would read back as one more record.
    ASSERT_TRUE(NotesRefusal(20, 20));
    EXPECT_NE(NotesRefusal(20, 20)->find("as long as a run-data record"), std::string::npos);
}
