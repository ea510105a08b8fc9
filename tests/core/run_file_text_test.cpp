#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "run_file/Conversions.h"
#include "run_file/Notes.h"
#include "run_file/Windows1252.h"

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
        {"a\rb", "a\r\nb"}, {"a" + Nul + "b", "a\r\nb"}, {"\r\r", "\r\n\r\n"}, {"a\nb", "a␊b"},
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
