#pragma once
// The small byte and text conversions that the load and the save share.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Stuff {

// The bytes, most significant first, as an unsigned number: 9C 40 is 40000,
// an empty run 0. More than fits a 32-bit signed number is RuntimeError 6.
int32_t BytesToNumber(std::span<const uint8_t> bytes);

// The shortest run of bytes holding the number, most significant first:
// 0 gives 00, 200 gives C8, 3000 gives 0B B8. A negative number is
// RuntimeError 6: no field stores one.
std::vector<uint8_t> NumberToBytes(int32_t number);

// Removes `remove` from both ends as often as it occurs there, the right end
// first. With trimSpaces, spaces are trimmed from both ends before and after
// each removal. An empty `remove` only trims spaces.
std::string TrimChar(std::string_view text, std::string_view remove, bool trimSpaces);

// TrimChar with a single NUL to remove.
std::string TrimNulls(std::string_view text, bool trimSpaces);

// Replaces the first occurrence of `search` again and again until none is
// left, so a replacement may itself complete a new occurrence: replacing
// CR LF by CR turns CR LF LF into a single CR. An empty search changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

}  // namespace Stuff
