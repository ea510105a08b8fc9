#pragma once
// The fields a user edits, one row each, in the order a save writes them:
// which of the texts holds the field's value, where and how the file stores
// it, how many characters its box takes, which entries it accepts, how the
// window captions it and how its limits are worded for users. The load, the save, the field rules, the
// window and the command-line tool all take a field from here.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "run_file/RunFileLayout.h"
#include "run_file/VehicleTexts.h"

namespace Stuff {

enum class EntryKind {
    Name,            // any text up to the typing limit's characters
    WholeNumber,     // rounded half to even to a whole number, then within the range
    Decimal,         // a single-precision number within the range
    RoundedDecimal,  // rounded half up to one decimal first, then as a decimal
};

struct EditableField {
    Field field;
    std::string VehicleTexts::*text;
    int32_t typingLimit;
    EntryKind entry;
    // A number's range as users write it, read in the precision of its check;
    // empty for a name.
    std::string_view lowest;
    std::string_view highest;
    // What the window's tooltip says of the field before its limit; empty
    // where the window gives the field no tooltip.
    std::string_view about;
    // The window's caption of the value, which the command-line tool's text
    // repeats.
    std::string_view caption;

    constexpr const FieldSpec& Spec() const { return Stuff::Spec(field); }
};

inline constexpr std::array<EditableField, 7> EditableFields{{
    {Field::RunName, &VehicleTexts::runName, 47, EntryKind::Name, {}, {}, "The name of the run.", "Run Name:"},
    {Field::PitchFactor, &VehicleTexts::pitch, 3, EntryKind::Decimal, "0.0", "9.9",
     "The pitch factor of the vehicle in degrees per G.", "Pitch Factor:"},
    {Field::VehicleName, &VehicleTexts::vehicleName, 15, EntryKind::Name, {}, {}, "The name of the vehicle.",
     "Vehicle Name:"},
    {Field::VehicleWeight, &VehicleTexts::weight, 5, EntryKind::WholeNumber, "1", "65535",
     "The weight of the vehicle in pounds.", "Vehicle Weight:"},
    {Field::RolloutLength, &VehicleTexts::rollout, 4, EntryKind::RoundedDecimal, "0", "25.5", {}, "Rollout Length:"},
    {Field::Redline, &VehicleTexts::redline, 5, EntryKind::WholeNumber, "1", "65535", "The redline of the vehicle.",
     "Redline:"},
    {Field::ShiftPoint, &VehicleTexts::shiftPoint, 5, EntryKind::WholeNumber, "1", "65535",
     "The shift point of the vehicle.", "Shift Point:"},
}};

// The row of a field; RuntimeError 5 for the version, which nobody edits.
const EditableField& Editable(Field field);

// The field's limit in a sentence: "Maximum length is 47 characters." for a
// name, "The range is 1 to 65,535." for a number.
std::string LimitText(const EditableField& row);

// The window's tooltip of the field: what it is, two blanks, its limit.
// Empty for a field without one.
std::string Tooltip(const EditableField& row);

}  // namespace Stuff
