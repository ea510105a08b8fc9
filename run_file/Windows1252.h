#pragma once
// Text in a run file is single-byte Windows-1252; in the program it is UTF-8.
// Every byte decodes to a character and that character encodes back to the
// same byte, so a load followed by a save never changes a byte it did not mean
// to. The five bytes the code page leaves undefined (81 8D 8F 90 9D) stand for
// the control characters of the same number.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Stuff {

std::string DecodeWindows1252(std::span<const uint8_t> bytes);

struct Windows1252Bytes {
    std::vector<uint8_t> bytes;
    // Empty when every character could be stored; otherwise the first one that
    // cannot (as UTF-8, or "\xNN" for a byte that is no UTF-8 at all).
    std::string unstorable;

    bool Ok() const { return unstorable.empty(); }
};

// Never replaces a character silently: one that has no byte is reported.
Windows1252Bytes EncodeWindows1252(std::string_view utf8);

}  // namespace Stuff
