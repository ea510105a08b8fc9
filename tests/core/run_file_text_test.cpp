#include <gtest/gtest.h>

#include <random>

#include "run_file/Conversions.h"
#include "run_file/Notes.h"
#include "run_file/Windows1252.h"
#include "support/RuntimeError.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {
Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }
const std::string Nul(1, '\0');
}  // namespace

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

TEST(Conversions, TrimCharFinishesTheRightEndFirst) {
    struct Case { std::string text, remove; bool spaces; std::string expected; };
    const std::vector<Case> cases{
        {"ababa", "aba", false, "ab"},  // taken from the left first, "ba" would be left
        {"abab", "ab", false, ""},
        {" " + Nul + " x " + Nul + Nul + " ", Nul, true, "x"},
        {" " + Nul + " x ", Nul, false, " " + Nul + " x "},
        {"  x  ", "", true, "x"},
        {"Run 4" + Nul + "\xFF", Nul, true, "Run 4" + Nul + "\xFF"},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimChar(c.text, c.remove, c.spaces), c.expected) << c.text;
    EXPECT_EQ(TrimNulls(Nul + " 2.0 " + Nul, true), "2.0");
}

TEST(Conversions, ReplaceAllSearchesAgainFromTheStart) {
    EXPECT_EQ(ReplaceAll("\r\n\n\n", "\r\n", "\r"), "\r");
    EXPECT_EQ(ReplaceAll("\r\nx\r\n", "\r\n", "\r"), "\rx\r");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    // Against the definition: restart at the very beginning after each replacement.
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

TEST(Notes, CrOnDiskCrLfOnScreen) {
    const std::vector<std::pair<std::string, std::string>> shown{
        {"a\rb", "a\r\nb"}, {"a" + Nul + "b", "a\r\nb"}, {"\r\r", "\r\n\r\n"}, {"a\nb", "a\nb"}, {"\x80 5\xB0", "€ 5°"}};
    for (const auto& [stored, text] : shown) EXPECT_EQ(NotesForDisplay(BytesOf(stored)), text);
    EXPECT_EQ(NotesForStorage("a\r\nb"), BytesOf("a\rb"));
    EXPECT_EQ(NotesForStorage("a\r\n\nb"), BytesOf("a\rb"));
    for (const std::string stored : {"one\rtwo\r", "\x81\x8D\x8F\x90\x9D\xFF", "\r\r\rx"}) {
        EXPECT_EQ(NotesForStorage(NotesForDisplay(BytesOf(stored))), BytesOf(stored));
    }
    EXPECT_THROW(NotesForStorage("Ω"), RuntimeError);
}
