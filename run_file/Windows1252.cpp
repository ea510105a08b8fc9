#include "run_file/Windows1252.h"

#include <array>
#include <cstdio>

#include "base/WideText.h"

namespace Stuff {

namespace {

// Code points of the bytes 0x80 to 0x9F. The undefined ones keep their own
// number, so they survive a round trip like every other byte.
constexpr std::array<char32_t, 32> HighControlBlock{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) return HighControlBlock[byte - 0x80];
    return byte;
}

// The byte that stores a code point, or -1 when none does.
int ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (size_t i = 0; i < HighControlBlock.size(); ++i) {
        if (HighControlBlock[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Reads one UTF-8 sequence at `at`; returns its length, 0 when malformed.
size_t ReadUtf8(std::string_view text, size_t at, char32_t& cp) {
    const auto lead = static_cast<uint8_t>(text[at]);
    size_t length = 0;
    if (lead < 0x80) length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length == 0 || at + length > text.size()) return 0;
    cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < Smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

std::string HexByte(uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

}  // namespace

std::string DecodeWindows1252(std::span<const uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (uint8_t byte : bytes) WideText::AppendUtf8(text, CodePointOf(byte));
    return text;
}

Windows1252Bytes EncodeWindows1252(std::string_view utf8) {
    Windows1252Bytes result;
    result.bytes.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const size_t length = ReadUtf8(utf8, at, cp);
        if (length == 0) {
            result.unstorable = HexByte(static_cast<uint8_t>(utf8[at]));
            return result;
        }
        const int byte = ByteOf(cp);
        if (byte < 0) {
            result.unstorable = std::string(utf8.substr(at, length));
            return result;
        }
        result.bytes.push_back(static_cast<uint8_t>(byte));
        at += length;
    }
    return result;
}

}  // namespace Stuff
