#include "cli/ShownFields.h"

#include <cstdlib>

using Stuff::EntryKind;
using Stuff::Field;

// The window lists the rollout length after the redline and the shift point;
// a save writes the fields in the table's order.
const std::array<ShownField, 7> ShownFields{{
    {Field::RunName, "runName"},
    {Field::VehicleName, "vehicleName"},
    {Field::VehicleWeight, "weight"},
    {Field::Redline, "redline"},
    {Field::ShiftPoint, "shiftPoint"},
    {Field::RolloutLength, "rolloutLength"},
    {Field::PitchFactor, "pitchFactor"},
}};

// The whole numbers and tenths as the load and the save's report write
// them: plain digits.
Json ValueJson(const ShownField& field, const std::string& text) {
    switch (field.Row().entry) {
    case EntryKind::Name: return text;
    case EntryKind::WholeNumber: return std::strtoull(text.c_str(), nullptr, 10);
    case EntryKind::Decimal:
    case EntryKind::RoundedDecimal: return text == "n/a" ? Json(nullptr) : Json(std::strtod(text.c_str(), nullptr));
    }
    return nullptr;
}
