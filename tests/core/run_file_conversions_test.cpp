#include <gtest/gtest.h>

#include <random>

#include "run_file/Conversions.h"
#include "support/RuntimeError.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

TEST(Conversions, BytesToNumberReadsMostSignificantFirstAndUnsigned) {
    const std::vector<std::pair<Bytes, int32_t>> cases{
        {{}, 0}, {{0x00}, 0}, {{0x19}, 25}, {{0xFF}, 255}, {{0x0B, 0xB8}, 3000},
        {{0x9C, 0x40}, 40000}, {{0xFF, 0xFF}, 65535}, {{0x7F, 0xFF, 0xFF, 0xFF}, INT32_MAX}};
    for (const auto& [bytes, number] : cases) EXPECT_EQ(BytesToNumber(bytes), number);
    EXPECT_THROW(BytesToNumber(Bytes{0x80, 0, 0, 0}), RuntimeError);
}

TEST(Conversions, NumberToBytesGivesTheShortestRun) {
    const std::vector<std::pair<int32_t, Bytes>> cases{
        {0, {0x00}}, {7, {0x07}}, {200, {0xC8}}, {255, {0xFF}}, {256, {0x01, 0x00}},
        {3000, {0x0B, 0xB8}}, {65535, {0xFF, 0xFF}}, {65536, {0x01, 0x00, 0x00}}};
    for (const auto& [number, bytes] : cases) {
        EXPECT_EQ(NumberToBytes(number), bytes) << number;
        EXPECT_EQ(BytesToNumber(NumberToBytes(number)), number);
    }
    EXPECT_THROW(NumberToBytes(-1), RuntimeError);
}

TEST(Conversions, TrimCharFinishesTheRightEndFirst) {
    const std::string nul(1, '\0');
    struct Case { std::string text, remove; bool spaces; std::string expected; };
    const std::vector<Case> cases{
        {"abab", "ab", false, ""},
        {"aXa", "a", false, "X"},
        {"ababa", "aba", false, "ab"},  // the right end is taken first, so "ba" never shows
        {"  x  ", "", true, "x"},
        {" " + nul + " x " + nul + nul + " ", nul, true, "x"},
        {" " + nul + " x ", nul, false, " " + nul + " x "},
        {nul + "x" + nul, nul, false, "x"},
        {"Run 4" + nul + "\xFF", nul, true, "Run 4" + nul + "\xFF"},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimChar(c.text, c.remove, c.spaces), c.expected) << c.text;
    EXPECT_EQ(TrimNulls(nul + " 2.0 " + nul, true), "2.0");
    EXPECT_EQ(TrimNulls(nul + " 2.0 " + nul, false), " 2.0 ");
}

TEST(Conversions, ReplaceAllSearchesAgainAfterEachReplacement) {
    struct Case { std::string text, search, replacement, expected; };
    const std::vector<Case> cases{
        {"a\r\nb", "\r\n", "\r", "a\rb"},
        {"\r\n\n", "\r\n", "\r", "\r"},
        {"\r\n\n\n", "\r\n", "\r", "\r"},
        {"\r\nx\r\n", "\r\n", "\r", "\rx\r"},
        {"aaab", "ab", "b", "b"},
        {"none", "\r\n", "\r", "none"},
        {"", "x", "y", ""},
        {"\r\r", "\r", std::string(1, '\0'), std::string(2, '\0')},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.expected) << c.text;
}

// The scan that restarts at the very beginning after every replacement is the
// definition; the quick one must agree with it on any text.
TEST(Conversions, ReplaceAllAgreesWithRestartingFromTheStart) {
    auto slow = [](std::string text, const std::string& search, const std::string& replacement) {
        for (size_t at = text.find(search); at != std::string::npos; at = text.find(search)) {
            text.replace(at, search.size(), replacement);
        }
        return text;
    };
    std::mt19937 random(7);
    const std::vector<std::pair<std::string, std::string>> rules{{"\r\n", "\r"}, {"aba", "b"}, {"aab", "a"}, {"ba", ""}};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = random() % 24; i > 0; --i) text += "ab\r\n"[random() % 4];
        const auto& [search, replacement] = rules[round % rules.size()];
        ASSERT_EQ(ReplaceAll(text, search, replacement), slow(text, search, replacement)) << text;
    }
}
