#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "run_file/Conversions.h"
#include "run_file/FieldCodec.h"
#include "run_file/VersionField.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/RunFileBuilder.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes FieldOf(const Bytes& file, Field field) {
    MemoryByteSource source(file);
    return ReadField(source, Spec(field));
}


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
    const FieldSpec& tenths = Spec(Field::RolloutLength);
    const FieldSpec& whole = Spec(Field::VehicleWeight);
    // A negative expectation is the number of the error the entry raises.
    struct Entry { std::string text; int expected; };
    const std::vector<Entry> tenthsCases{
        {" 9.9 ", 99}, {"0.25", 2}, {"0.35", 4}, {"25.5", 255}, {"25.6", -6}, {"-1", -6}, {"1e40", -13}, {"", -13}};
    for (const Entry& c : tenthsCases) {
        const int got = ErrorNumberOf([&] { EXPECT_EQ(EncodeTenths(c.text, tenths), c.expected) << c.text; });
        EXPECT_EQ(got, c.expected < 0 ? -c.expected : 0) << c.text;
    }
    const std::vector<Entry> wholeCases{
        {"1.5", 2}, {"2.5", 2}, {"65535", 65535}, {"65536", -6}, {"-1", -6}, {"99999999999", -6}, {"1,000", -13}};
    for (const Entry& c : wholeCases) {
        const int got = ErrorNumberOf([&] { EXPECT_EQ(BytesToNumber(EncodeTwoByte(c.text, whole)), c.expected) << c.text; });
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
