#include <gtest/gtest.h>

#include "testkit/RunFileBuilder.h"
#include "run_file/Notes.h"
#include "support/RuntimeError.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {
Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }
}  // namespace

TEST(Notes, StoredLinesShowWithCrLf) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"a\rb", "a\r\nb"}, {std::string("a\0b", 3), "a\r\nb"}, {"\r\r", "\r\n\r\n"},
        {"a\nb", "a\nb"}, {"\x80 5\xB0", "€ 5°"}, {"", ""}};
    for (const auto& [stored, shown] : cases) EXPECT_EQ(NotesForDisplay(BytesOf(stored)), shown);
}

TEST(Notes, ShownLinesAreStoredWithCr) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"a\r\nb", "a\rb"}, {"a\r\n\nb", "a\rb"}, {"a\nb", "a\nb"}, {"\r\n", "\r"}, {"€ 5°", "\x80 5\xB0"}};
    for (const auto& [shown, stored] : cases) EXPECT_EQ(NotesForStorage(shown), BytesOf(stored)) << shown;
    for (const std::string stored : {"one\rtwo\r", "\x81\x8D\x8F\x90\x9D\xFF", "\r\r\rx"}) {
        EXPECT_EQ(NotesForStorage(NotesForDisplay(BytesOf(stored))), BytesOf(stored));
    }
    EXPECT_THROW(NotesForStorage("Ω"), RuntimeError);
}

TEST(Notes, OnlyTheBytesTheFileHoldsAreRead) {
    const RunFileBuilder builder = RunFileBuilder().Records(2, 4).Notes("abcdef");
    const Bytes whole = builder.Build();
    const Bytes cut = RunFileBuilder(builder).CutBy(2).Build();
    MemoryByteSource wholeSource(whole), cutSource(cut);
    EXPECT_EQ(ReadStoredNotes(wholeSource, builder.NotesPosition(), 6), BytesOf("abcdef"));
    EXPECT_EQ(ReadStoredNotes(wholeSource, builder.NotesPosition(), 3), BytesOf("abc"));
    EXPECT_EQ(ReadStoredNotes(cutSource, builder.NotesPosition(), 6), BytesOf("abcd"));
}
