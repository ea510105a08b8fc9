#include <gtest/gtest.h>

#include "testkit/RunFileBuilder.h"
#include "run_file/FieldCodec.h"
#include "support/RuntimeError.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes FieldOf(const Bytes& file, Field field) {
    const FieldSpec& spec = Spec(field);
    return Bytes(file.begin() + spec.Offset(), file.begin() + spec.Offset() + spec.width);
}

int32_t ErrorNumberOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace

TEST(Fields, TextFieldsReadAndWriteBackByteForByte) {
    struct Case { std::string stored; Field field; std::string text; };
    const std::vector<Case> cases{
        {"Run 4", Field::RunName, "Run 4"}, {"", Field::RunName, ""},
        {std::string(47, 'r'), Field::RunName, std::string(47, 'r')},
        {std::string(48, 'r'), Field::RunName, std::string(48, 'r')},
        {"ABCDEFGHIJKLMNOP", Field::VehicleName, "ABCDEFGHIJKLMNOP"},
        {"Caf\xE9 \x80", Field::VehicleName, "Café €"}};
    for (const Case& c : cases) {
        const Bytes file = c.field == Field::RunName ? RunFileBuilder().RunName(c.stored).Build()
                                                     : RunFileBuilder().VehicleName(c.stored).Build();
        const Bytes bytes = FieldOf(file, c.field);
        EXPECT_EQ(DecodeTextField(bytes), c.text);
        EXPECT_EQ(EncodeTextField(c.text, Spec(c.field)), bytes) << c.stored;
    }
    Bytes runFour(48, 0xFF);
    std::copy_n("Run 4", 6, runFour.begin());
    EXPECT_EQ(EncodeTextField("Run 4", Spec(Field::RunName)), runFour);
    EXPECT_EQ(DecodeTextField(runFour), "Run 4");
}

TEST(Fields, TextFieldsDropPaddingAndStopAtTheFirstNul) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {std::string("Run 4\0\0\0\0", 9), "Run 4"},
        {std::string("  \0 Run 4 \0", 11), "Run 4"},
        {std::string("\0\0ab\0cd\0", 8), "ab"},
        {std::string("\0\xFF\xFF\xFF", 4), ""},
        {std::string("\0\xFF\xFF\xFFz", 5), "\xC3\xBF\xC3\xBF\xC3\xBFz"},
        {std::string("\xFF\xFF", 2), "\xC3\xBF\xC3\xBF"},
        {std::string("a b\xFF\xFF", 5), "a b\xC3\xBF\xC3\xBF"},
        {std::string("   ", 3), ""}};
    for (const auto& [raw, text] : cases) EXPECT_EQ(DecodeTextField(Bytes(raw.begin(), raw.end())), text);
    EXPECT_EQ(EncodeTextField(std::string(47, 'x'), Spec(Field::RunName)).back(), 0x00);
    EXPECT_EQ(ErrorNumberOf([] { EncodeTextField("Ω-Car", Spec(Field::VehicleName)); }), 5);
}

TEST(Fields, TenthsFieldsShowOneDecimal) {
    const std::vector<std::pair<uint8_t, std::string>> shown{{0, "0.0"}, {7, "0.7"}, {25, "2.5"}, {99, "9.9"}, {255, "25.5"}};
    for (const auto& [byte, text] : shown) {
        EXPECT_EQ(DecodeTenths(byte), text);
        EXPECT_EQ(EncodeTenths(text, Spec(Field::RolloutLength)), byte) << text;
    }
    const std::vector<std::pair<std::string, uint8_t>> written{{"2.5", 25}, {" 9.9 ", 99}, {"0.25", 2}, {"0.35", 4}, {"3", 30}};
    for (const auto& [text, byte] : written) EXPECT_EQ(EncodeTenths(text, Spec(Field::PitchFactor)), byte) << text;
    const std::vector<std::pair<std::string, int32_t>> refused{{"25.6", 6}, {"-1", 6}, {"1e40", 13}, {"abc", 13}, {"", 13}};
    for (const auto& [text, number] : refused) {
        EXPECT_EQ(ErrorNumberOf([&] { EncodeTenths(text, Spec(Field::RolloutLength)); }), number) << text;
    }
}

TEST(Fields, TwoByteFieldsAreUnsignedWholeNumbers) {
    const std::vector<std::pair<Bytes, std::string>> shown{{{0x9C, 0x40}, "40000"}, {{0x00, 0x00}, "0"}, {{0xFF, 0xFF}, "65535"}, {{0x0B, 0xB8}, "3000"}};
    for (const auto& [bytes, text] : shown) {
        EXPECT_EQ(DecodeTwoByte(bytes), text);
        EXPECT_EQ(EncodeTwoByte(text, Spec(Field::VehicleWeight)), bytes);
    }
    const std::vector<std::pair<std::string, Bytes>> written{{"200", {0x00, 0xC8}}, {"1.5", {0x00, 0x02}}, {"2.5", {0x00, 0x02}}, {"3.5", {0x00, 0x04}}};
    for (const auto& [text, bytes] : written) EXPECT_EQ(EncodeTwoByte(text, Spec(Field::Redline)), bytes) << text;
    const std::vector<std::pair<std::string, int32_t>> refused{{"65536", 6}, {"-1", 6}, {"99999999999", 6}, {"1,000", 13}, {"x", 13}};
    for (const auto& [text, number] : refused) {
        EXPECT_EQ(ErrorNumberOf([&] { EncodeTwoByte(text, Spec(Field::ShiftPoint)); }), number) << text;
    }
}

TEST(Fields, FieldsAreReadAtTheirPositions) {
    const Bytes file = RunFileBuilder().RunName("Run 4").VehicleName("Vette").Weight(40000).Rollout(255)
                           .Redline(6500).ShiftPoint(6100).Pitch(99).Build();
    MemoryByteSource source(file);
    EXPECT_EQ(DecodeTextField(ReadField(source, Spec(Field::RunName))), "Run 4");
    EXPECT_EQ(DecodeTextField(ReadField(source, Spec(Field::VehicleName))), "Vette");
    EXPECT_EQ(DecodeTwoByte(ReadField(source, Spec(Field::VehicleWeight))), "40000");
    EXPECT_EQ(DecodeTenths(ReadField(source, Spec(Field::RolloutLength))[0]), "25.5");
    EXPECT_EQ(DecodeTwoByte(ReadField(source, Spec(Field::Redline))), "6500");
    EXPECT_EQ(DecodeTwoByte(ReadField(source, Spec(Field::ShiftPoint))), "6100");
    EXPECT_EQ(DecodeTenths(ReadField(source, Spec(Field::PitchFactor))[0]), "9.9");
    const Bytes cut = RunFileBuilder().CutTo(280).Build();
    MemoryByteSource cutSource(cut);
    EXPECT_EQ(ErrorNumberOf([&] { ReadField(cutSource, Spec(Field::Version)); }), 62);
}
