#include "run_file/Conversions.h"

#include <algorithm>

#include "base/RuntimeError.h"

namespace Stuff {

int32_t BytesToNumber(std::span<const uint8_t> bytes) {
    uint64_t value = 0;
    for (uint8_t byte : bytes) {
        value = (value << 8) | byte;
        if (value > static_cast<uint64_t>(INT32_MAX)) RuntimeError::Raise(ErrorNumber::Overflow);
    }
    return static_cast<int32_t>(value);
}

std::vector<uint8_t> NumberToBytes(int32_t number) {
    if (number < 0) RuntimeError::Raise(ErrorNumber::Overflow);
    std::vector<uint8_t> bytes;
    auto value = static_cast<uint32_t>(number);
    do {
        bytes.insert(bytes.begin(), static_cast<uint8_t>(value & 0xFF));
        value >>= 8;
    } while (value != 0);
    return bytes;
}

namespace {

void TrimSpaces(std::string_view& text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
}

}  // namespace

std::string TrimChar(std::string_view text, std::string_view remove, bool trimSpaces) {
    if (trimSpaces) TrimSpaces(text);
    if (remove.empty()) return std::string(text);
    while (text.ends_with(remove)) {
        text.remove_suffix(remove.size());
        if (trimSpaces) TrimSpaces(text);
    }
    while (text.starts_with(remove)) {
        text.remove_prefix(remove.size());
        if (trimSpaces) TrimSpaces(text);
    }
    return std::string(text);
}

std::string TrimNulls(std::string_view text, bool trimSpaces) {
    return TrimChar(text, std::string_view("\0", 1), trimSpaces);
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
    std::string result(text);
    if (search.empty()) return result;
    // Searching again from the very start after each replacement gives the
    // same result as resuming just far enough back for an occurrence that
    // overlaps the replacement: nothing before the replaced one matched. That
    // keeps long pasted notes linear. A replacement holding the search text
    // would never end that way, so such a call replaces once, left to right.
    const bool grows = replacement.find(search) != std::string_view::npos;
    size_t from = 0;
    for (size_t at = result.find(search); at != std::string::npos; at = result.find(search, from)) {
        result.replace(at, search.size(), replacement);
        from = grows ? at + replacement.size() : at - std::min(at, search.size() - 1);
    }
    return result;
}

}  // namespace Stuff
