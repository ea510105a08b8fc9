#include "run_file/FieldRules.h"

#include "base/RuntimeError.h"
#include "support/General.h"

namespace Stuff {

namespace {

constexpr int32_t LowestCount = 1;
constexpr int32_t HighestCount = 65535;

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

// The limits of the tenths fields, read from their texts in single
// precision as the user sees them.
float RolloutHighest() { return General::TextToSingle("25.5"); }
float PitchLowest() { return General::TextToSingle("0.0"); }
float PitchHighest() { return General::TextToSingle("9.9"); }

EntryCheck CheckLong(std::string_view entry, int32_t lowest, int32_t highest) {
    if (ValidateLongRange(entry, lowest, highest)) return {true, std::string(entry), {}};
    return {false, std::string(entry), RangeMessage(std::to_string(lowest), std::to_string(highest))};
}

EntryCheck CheckSingle(std::string_view entry, float lowest, float highest) {
    if (ValidateSingleRange(entry, lowest, highest)) return {true, std::string(entry), {}};
    return {false, std::string(entry), RangeMessage(General::SingleToText(lowest), General::SingleToText(highest))};
}

// Characters of UTF-8 text: every byte but the continuation bytes starts one.
size_t CountCharacters(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

EntryCheck CheckName(Field field, std::string_view entry) {
    const size_t characters = CountCharacters(entry);
    if (characters <= static_cast<size_t>(TypingLimit(field))) return {true, std::string(entry), {}};
    std::string name(Spec(field).name);
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return {false, std::string(entry),
            name + " may hold at most " + std::to_string(TypingLimit(field)) + " characters; \"" +
                std::string(entry) + "\" has " + std::to_string(characters) + "."};
}

}  // namespace

int32_t TypingLimit(Field field) {
    switch (field) {
    case Field::RunName: return 47;
    case Field::VehicleName: return 15;
    case Field::VehicleWeight:
    case Field::Redline:
    case Field::ShiftPoint: return 5;
    case Field::RolloutLength: return 4;
    case Field::PitchFactor: return 3;
    case Field::Version: break;
    }
    return 0;
}

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
    switch (field) {
    case Field::RunName:
    case Field::VehicleName: return CheckName(field, entry);
    case Field::VehicleWeight:
    case Field::Redline:
    case Field::ShiftPoint: return CheckLong(entry, LowestCount, HighestCount);
    case Field::RolloutLength: return CheckSingle(NormaliseRolloutLength(entry), 0.0f, RolloutHighest());
    case Field::PitchFactor: return CheckSingle(entry, PitchLowest(), PitchHighest());
    case Field::Version: break;
    }
    return {false, std::string(entry), "The version field cannot be edited."};
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
