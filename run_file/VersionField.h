#pragma once
// The version field: what PASS version wrote the file, and from that where the
// run data starts and whether the pitch factor is there.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace Stuff {

struct VersionField {
    bool tagMatched = false;  // the first 11 characters are "PASSVERSION", any case
    std::string versionText;  // the characters from the 12th on, matched or not
    uint64_t runDataStart = 0;  // 1-based position of the first record length byte

    // What the window shows: "PASS Version 2.0", or "Unknown PASS Version".
    std::string Caption() const;
};

// Decodes the 17 bytes of the version field (NULs and spaces trimmed first).
VersionField DecodeVersionField(std::span<const uint8_t> bytes);

// The version number of a version text: cut before the first space unless the
// text starts with it, drop the second ".", read the rest as a decimal number
// in single precision. "1.1.1" gives 1.11, "2.0 beta" 2.0. A text that does not
// read as a number ("", letters, "1.2.3.4") throws RuntimeError 13
// "Type mismatch", which fails the load.
float PassVersionNumber(std::string_view versionText);

// The pitch factor exists from version 2.0 on.
bool HasPitchFactor(float passVersionNumber);

}  // namespace Stuff
