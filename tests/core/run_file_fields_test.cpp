// The fixed fields between their bytes and their texts, the version tag, the
// conversions below them (numbers, Windows-1252 text and the notes), and the
// rules for entered values that the window and the command-line tool share.
#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "run_file/Conversions.h"
#include "run_file/FieldCodec.h"
#include "run_file/FieldRules.h"
#include "run_file/Notes.h"
#include "run_file/VersionField.h"
#include "run_file/Windows1252.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/RunFileBuilder.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes FieldOf(const Bytes& file, Field field) {
    MemoryByteSource source(file);
    return ReadField(source, Spec(field));
}

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(Fields, TextFieldsReadAndWriteBackByteForByte) {
    struct Case { std::string stored; Field field; std::string text; };
    const std::vector<Case> cases{
        {"Run 4", Field::RunName, "Run 4"}, {"", Field::RunName, ""}, {"Run 4  ", Field::RunName, "Run 4  "},
        {" Car ", Field::VehicleName, "Car "},
        {std::string(47, 'r'), Field::RunName, std::string(47, 'r')},
        {std::string(48, 'r'), Field::RunName, std::string(48, 'r')},
        {"ABCDEFGHIJKLMNOP", Field::VehicleName, "ABCDEFGHIJKLMNOP"},
        {"Caf\xE9 \x80", Field::VehicleName, "Café €"}};
    for (const Case& c : cases) {
        const Bytes bytes = FieldOf(RunFileBuilder().RunName(c.stored).VehicleName(c.stored).Build(), c.field);
        EXPECT_EQ(DecodeTextField(bytes), c.text);
        if (c.text == c.stored) {
            EXPECT_EQ(EncodeTextField(c.text, Spec(c.field)), bytes) << c.stored;
        }
    }
    const std::vector<std::pair<std::string, std::string>> padded{
        {std::string("Run 4\0\0\0\0", 9), "Run 4"}, {std::string("  \0 Run 4 \0", 11), "Run 4"},
        {std::string("Run 4  \0", 8), "Run 4"}, {std::string("Run 4  \0\xFF", 9), "Run 4  "},
        {std::string("\0\0ab\0cd\0", 8), "ab"}, {std::string("\0\xFF\xFF", 3), ""},
        {std::string("\0\xFF\xFFz", 4), "ÿÿz"}, {std::string("\xFF\xFF", 2), "ÿÿ"}};
    for (const auto& [raw, text] : padded) EXPECT_EQ(DecodeTextField(Bytes(raw.begin(), raw.end())), text);
    EXPECT_EQ(ErrorNumberOf([] { EncodeTextField("Ω-Car", Spec(Field::VehicleName)); }), 5);
}

TEST(Fields, NumbersReadAsTextAndEntriesAreRoundedAndChecked) {
    EXPECT_EQ(DecodeTenths(0), "0.0");
    EXPECT_EQ(DecodeTenths(7), "0.7");
    EXPECT_EQ(DecodeTwoByte(Bytes{0x9C, 0x40}), "40000");
    // A negative expectation is the number of the error the entry raises.
    struct Entry { Field field; std::string text; int expected; };
    const std::vector<Entry> cases{
        {Field::RolloutLength, " 9.9 ", 99}, {Field::RolloutLength, "0.25", 2},   {Field::RolloutLength, "0.35", 4},
        {Field::RolloutLength, "25.5", 255}, {Field::RolloutLength, "25.6", -6},  {Field::RolloutLength, "-1", -6},
        {Field::RolloutLength, "1e40", -13}, {Field::RolloutLength, "", -13},     {Field::VehicleWeight, "1.5", 2},
        {Field::VehicleWeight, "2.5", 2},    {Field::VehicleWeight, "65535", 65535}, {Field::VehicleWeight, "65536", -6},
        {Field::VehicleWeight, "-1", -6},    {Field::VehicleWeight, "99999999999", -6}, {Field::VehicleWeight, "1,000", -13}};
    for (const Entry& c : cases) {
        const int got = ErrorNumberOf([&] { EXPECT_EQ(BytesToNumber(EncodeField(c.text, Spec(c.field))), c.expected) << c.text; });
        EXPECT_EQ(got, c.expected < 0 ? -c.expected : 0) << c.text;
    }
}

TEST(Version, TagTextAndRunDataStart) {
    struct Case { std::string raw; std::string caption; uint64_t start; };
    const std::vector<Case> cases{
        {"PASSVERSION1.1.1", "PASS Version 1.1.1", 311}, {"passversion2.0", "PASS Version 2.0", 312},
        {" PassVersion1.1.1", "PASS Version 1.1.1", 311}, {std::string("\0PASSVERSION 2.0", 16), "PASS Version  2.0", 312},
        {"PASSVERSION", "PASS Version ", 312}, {"PASSVERSION1.1.10", "PASS Version 1.1.10", 312},
        {"XXXXXXXXXXX1.1.1", "Unknown PASS Version", 312}, {"", "Unknown PASS Version", 312}};
    for (const Case& c : cases) {
        const VersionField field = DecodeVersionField(FieldOf(RunFileBuilder().VersionField(c.raw).Build(), Field::Version));
        EXPECT_EQ(field.Caption(), c.caption) << c.raw;
        EXPECT_EQ(field.runDataStart, c.start) << c.raw;
    }
    EXPECT_EQ(DecodeVersionField(FieldOf(RunFileBuilder().VersionField("XXXXXXXXXXX2.5").Build(), Field::Version)).versionText, "2.5");
}

TEST(Version, NumberAndPitchFactor) {
    struct Case { std::string text; float number; bool pitch; };
    const std::vector<Case> cases{{"1.1.1", 1.11f, false}, {"2.0", 2.0f, true}, {"2.0 beta", 2.0f, true},
                                  {"1.99", 1.99f, false}, {"2.0.1", 2.01f, true}, {" 2.0", 2.0f, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(PassVersionNumber(c.text), c.number) << c.text;
        EXPECT_EQ(HasPitchFactor(PassVersionNumber(c.text)), c.pitch) << c.text;
    }
    for (const std::string text : {"1.2.3.4", "", "beta", " 2.0 beta", "v2"}) {
        EXPECT_EQ(ErrorNumberOf([&] { PassVersionNumber(text); }), 13) << text;
    }
}

TEST(Conversions, NumbersAreUnsignedMostSignificantFirst) {
    const std::vector<std::pair<Bytes, int32_t>> cases{{{}, 0}, {{0x00}, 0}, {{0xC8}, 200}, {{0x0B, 0xB8}, 3000},
                                                       {{0x9C, 0x40}, 40000}, {{0xFF, 0xFF}, 65535}, {{0x01, 0x00, 0x00}, 65536}};
    for (const auto& [bytes, number] : cases) {
        EXPECT_EQ(BytesToNumber(bytes), number);
        if (!bytes.empty()) {
            EXPECT_EQ(NumberToBytes(number), bytes) << number;
        }
    }
    EXPECT_EQ(NumberToBytes(256), (Bytes{0x01, 0x00}));
    EXPECT_THROW(BytesToNumber(Bytes{0x80, 0, 0, 0}), RuntimeError);
    EXPECT_THROW(NumberToBytes(-1), RuntimeError);
}

TEST(Conversions, ReplaceAllSearchesAgainFromTheStart) {
    EXPECT_EQ(ReplaceAll("\r\n\n\n", "\r\n", "\r"), "\r");
    EXPECT_EQ(ReplaceAll("\r\nx\r\n", "\r\n", "\r"), "\rx\r");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(Windows1252, EveryByteSurvivesDecodeAndEncode) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
    const Windows1252Bytes back = EncodeWindows1252(DecodeWindows1252(all));
    ASSERT_TRUE(back.Ok()) << back.unstorable;
    EXPECT_EQ(back.bytes, all);
    const std::vector<std::pair<uint8_t, std::string>> cases{
        {0x80, "€"}, {0x81, "\xC2\x81"}, {0x8A, "Š"}, {0x92, "’"}, {0x9D, "\xC2\x9D"}, {0x9F, "Ÿ"}, {0xE9, "é"}, {0xFF, "ÿ"}};
    for (const auto& [byte, text] : cases) EXPECT_EQ(DecodeWindows1252(Bytes{byte}), text) << int(byte);
}

TEST(Windows1252, ReportsWhatCannotBeStoredInsteadOfReplacingIt) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Ω", "Ω"}, {"ab\xC2\x80", "\xC2\x80"}, {"x😀", "😀"},       // no byte for them
        {"a\xFF", "\\xFF"}, {"\xC3", "\\xC3"}, {"\xC0\x80", "\\xC0"}, {"\xED\xA0\x80", "\\xED"}};  // no UTF-8
    for (const auto& [text, unstorable] : cases) EXPECT_EQ(EncodeWindows1252(text).unstorable, unstorable) << text;
}

TEST(Notes, CrOnDiskCrLfOnScreenAndAStoredLfKeptAsItsSign) {
    const std::vector<std::pair<std::string, std::string>> shown{
        {"a\rb", "a\r\nb"}, {std::string("a\0b", 3), "a\r\nb"}, {"\r\r", "\r\n\r\n"}, {"a\nb", "a␊b"},
        {"\r\n", "\r\n␊"},  {"\x80 5\xB0", "€ 5°"}};
    for (const auto& [stored, text] : shown) EXPECT_EQ(NotesForDisplay(BytesOf(stored)), text);
    EXPECT_EQ(NotesForStorage("a\r\nb"), BytesOf("a\rb"));
    EXPECT_EQ(NotesForStorage("a\r\n\nb"), BytesOf("a\rb"));
    EXPECT_EQ(NotesForStorage("a␊b\r\n"), BytesOf("a\nb\r"));
    for (const std::string stored : {"one\rtwo\r", "\x81\x8D\x8F\x90\x9D\xFF", "\r\r\rx", "\n", "a\r\n\nb\n\r"}) {
        EXPECT_EQ(NotesForStorage(NotesForDisplay(BytesOf(stored))), BytesOf(stored));
    }
    EXPECT_THROW(NotesForStorage("Ω"), RuntimeError);
}

TEST(FieldRules, NumberEntriesAreCheckedAgainstTheirRangeAfterTheRolloutIsRounded) {
    struct Case {
        Field field;
        const char* entry;
        bool accepted;
        const char* kept = nullptr;  // the entry as the field keeps it, when not as given
    };
    const Case cases[] = {
        {Field::VehicleWeight, "0", false},       {Field::VehicleWeight, "65536", false},
        {Field::VehicleWeight, "abc", false},     {Field::VehicleWeight, "0.5", false},
        {Field::VehicleWeight, "99999999999", false}, {Field::VehicleWeight, "65535", true},
        {Field::VehicleWeight, "1", true},        {Field::VehicleWeight, " 200 ", true},
        {Field::Redline, "70000", false},         {Field::ShiftPoint, "x", false},
        {Field::RolloutLength, "2.25", true, "2.3"}, {Field::RolloutLength, "2.24", true, "2.2"},
        {Field::RolloutLength, "7", true, "7.0"},    {Field::RolloutLength, "0.05", true, "0.1"},
        {Field::RolloutLength, "25.5", true},
        {Field::RolloutLength, "0", true, "0.0"},    {Field::RolloutLength, "25.6", false},
        {Field::RolloutLength, "30", false, "30.0"}, {Field::RolloutLength, "-1", false, "-1.0"},
        {Field::RolloutLength, "abc", false},        {Field::RolloutLength, "1e40", false},
        {Field::PitchFactor, "9.9", true},           {Field::PitchFactor, "0", true},
        {Field::PitchFactor, "10", false},           {Field::PitchFactor, "-1", false},
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
