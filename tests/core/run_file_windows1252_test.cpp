#include <gtest/gtest.h>

#include "run_file/Windows1252.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

TEST(Windows1252, EveryByteSurvivesDecodeAndEncode) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
    const std::string text = DecodeWindows1252(all);
    const Windows1252Bytes back = EncodeWindows1252(text);
    ASSERT_TRUE(back.Ok()) << back.unstorable;
    EXPECT_EQ(back.bytes, all);
    // Distinct bytes decode to distinct characters.
    for (int i = 0; i < 256; ++i) {
        for (int j = i + 1; j < 256; ++j) {
            ASSERT_NE(DecodeWindows1252(Bytes{uint8_t(i)}), DecodeWindows1252(Bytes{uint8_t(j)})) << i << " " << j;
        }
    }
}

TEST(Windows1252, DecodesToTheCharactersOfTheCodePage) {
    const std::vector<std::pair<uint8_t, std::string>> cases{
        {0x41, "A"}, {0x0D, "\r"}, {0x80, "€"}, {0x81, "\xC2\x81"}, {0x8A, "Š"}, {0x8D, "\xC2\x8D"},
        {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x92, "’"}, {0x96, "–"}, {0x99, "™"}, {0x9D, "\xC2\x9D"},
        {0x9F, "Ÿ"}, {0xA0, "\xC2\xA0"}, {0xE9, "é"}, {0xFF, "ÿ"}};
    for (const auto& [byte, text] : cases) {
        EXPECT_EQ(DecodeWindows1252(Bytes{byte}), text) << int(byte);
        EXPECT_EQ(EncodeWindows1252(text).bytes, Bytes{byte}) << int(byte);
    }
}

TEST(Windows1252, ReportsWhatCannotBeStoredInsteadOfReplacingIt) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Ω", "Ω"},                    // no byte for it
        {"ab\xC2\x80", "\xC2\x80"},   // U+0080: 0x80 is the euro sign
        {"日本", "日"},
        {"x😀", "😀"},
        {"a\xFF", "\\xFF"},            // not UTF-8 at all
        {"\xC3", "\\xC3"},             // cut sequence
        {"\xC0\x80", "\\xC0"},         // overlong NUL
        {"\xED\xA0\x80", "\\xED"},     // surrogate
    };
    for (const auto& [text, unstorable] : cases) EXPECT_EQ(EncodeWindows1252(text).unstorable, unstorable) << text;
}
