#include "run_file/FieldRules.h"

#include "base/RuntimeError.h"
#include "support/General.h"

namespace Stuff {

namespace {

std::optional<int32_t> EntryAsLong(std::string_view text) {
    if (!General::IsNumericText(text)) return std::nullopt;
    try {
        return General::TextToLong(text);
    } catch (const RuntimeError&) {
        return std::nullopt;  // beyond 32 bits: out of every range
    }
}

std::optional<float> EntryAsSingle(std::string_view text) {
    if (!General::IsNumericText(text)) return std::nullopt;
    try {
        return General::TextToSingle(text);
    } catch (const RuntimeError&) {
        return std::nullopt;  // beyond single precision: out of every range
    }
}

EntryCheck CheckLong(std::string_view entry, const EditableField& row) {
    const int32_t lowest = General::TextToLong(row.lowest);
    const int32_t highest = General::TextToLong(row.highest);
    if (ValidateLongRange(entry, lowest, highest)) return {true, std::string(entry), {}};
    return {false, std::string(entry), RangeMessage(std::to_string(lowest), std::to_string(highest))};
}

// The limits are read from their texts in single precision, as the user sees them.
EntryCheck CheckSingle(std::string_view entry, const EditableField& row) {
    const float lowest = General::TextToSingle(row.lowest);
    const float highest = General::TextToSingle(row.highest);
    if (ValidateSingleRange(entry, lowest, highest)) return {true, std::string(entry), {}};
    return {false, std::string(entry), RangeMessage(General::SingleToText(lowest), General::SingleToText(highest))};
}

// Characters of UTF-8 text: every byte but the continuation bytes starts one.
size_t CountCharacters(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

EntryCheck CheckName(std::string_view entry, const EditableField& row) {
    const size_t characters = CountCharacters(entry);
    if (characters <= static_cast<size_t>(row.typingLimit)) return {true, std::string(entry), {}};
    std::string name(row.Spec().name);
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return {false, std::string(entry),
            name + " may hold at most " + std::to_string(row.typingLimit) + " characters; \"" +
                std::string(entry) + "\" has " + std::to_string(characters) + "."};
}

}  // namespace

std::string RangeMessage(std::string_view lowest, std::string_view highest) {
    return "You entered a value that is out of the allowable range (" + std::string(lowest) + "-" +
           std::string(highest) + ").\r\nPlease correct this now.";
}

bool ValidateLongRange(std::string_view text, int32_t lowest, int32_t highest) {
    const std::optional<int32_t> number = EntryAsLong(text);
    return number && *number >= lowest && *number <= highest;
}

bool ValidateSingleRange(std::string_view text, float lowest, float highest) {
    const std::optional<float> number = EntryAsSingle(text);
    return number && *number >= lowest && *number <= highest;
}

std::string NormaliseRolloutLength(std::string_view text) {
    const std::optional<float> number = EntryAsSingle(text);
    if (!number) return std::string(text);
    return General::FormatOneDecimal(General::RoundToDecimals(*number, 1));
}

EntryCheck CheckEntry(Field field, std::string_view entry) {
    const EditableField& row = Editable(field);
    switch (row.entry) {
    case EntryKind::Name: return CheckName(entry, row);
    case EntryKind::WholeNumber: return CheckLong(entry, row);
    case EntryKind::Decimal: return CheckSingle(entry, row);
    case EntryKind::RoundedDecimal: return CheckSingle(NormaliseRolloutLength(entry), row);
    }
    return {};
}

std::string NotesFromTypedText(std::string_view typed) {
    // A CR LF stays one break; a lone LF becomes one.
    std::string text;
    text.reserve(typed.size());
    for (size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] == '\n' && (i == 0 || typed[i - 1] != '\r')) text += '\r';
        text += typed[i];
    }
    return text;
}

std::optional<std::string> NotesRefusal(size_t storedBytes, uint8_t recordLength) {
    if (storedBytes > MaxNotesBytes) {
        return "The notes take " + std::to_string(storedBytes) + " bytes in the file, more than the " +
               std::to_string(MaxNotesBytes) + " it can hold";
    }
    if (recordLength != 0 && storedBytes == recordLength) {
        return "The notes take exactly " + std::to_string(storedBytes) +
               " bytes, as long as a run-data record of this file, and would read back as one; add or "
               "remove a character";
    }
    return std::nullopt;
}

}  // namespace Stuff
