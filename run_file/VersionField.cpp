#include "run_file/VersionField.h"

#include <algorithm>
#include <cctype>

#include "run_file/Conversions.h"
#include "run_file/RunFileLayout.h"
#include "run_file/Windows1252.h"
#include "support/General.h"

namespace Stuff {

namespace {

constexpr std::string_view Tag = "PASSVERSION";

bool IsTag(std::string_view text) {
    if (text.size() < Tag.size()) return false;
    return std::equal(Tag.begin(), Tag.end(), text.begin(), [](char expected, char actual) {
        return expected == std::toupper(static_cast<unsigned char>(actual));
    });
}

}  // namespace

std::string VersionField::Caption() const {
    return tagMatched ? "PASS Version " + versionText : "Unknown PASS Version";
}

VersionField DecodeVersionField(std::span<const uint8_t> bytes) {
    // Work on the raw bytes so that "characters" are bytes, as in the file;
    // only the version text itself is turned into the program's text.
    const std::string trimmed = TrimNulls(std::string(bytes.begin(), bytes.end()), true);
    VersionField field;
    field.tagMatched = IsTag(trimmed);
    if (trimmed.size() > Tag.size()) {
        const std::string_view rest = std::string_view(trimmed).substr(Tag.size());
        field.versionText = DecodeWindows1252({reinterpret_cast<const uint8_t*>(rest.data()), rest.size()});
    }
    field.runDataStart = field.tagMatched && field.versionText == "1.1.1" ? RunDataStartOfVersion111
                                                                          : RunDataStartOfOtherVersions;
    return field;
}

float PassVersionNumber(std::string_view versionText) {
    std::string text(versionText);
    const size_t space = text.find(' ');
    if (space != std::string::npos && space > 0) text.erase(space);
    const size_t firstDot = text.find('.');
    if (firstDot != std::string::npos) {
        const size_t secondDot = text.find('.', firstDot + 1);
        if (secondDot != std::string::npos) text.erase(secondDot, 1);
    }
    return General::TextToSingle(text);
}

bool HasPitchFactor(float passVersionNumber) { return passVersionNumber >= 2.0f; }

}  // namespace Stuff
