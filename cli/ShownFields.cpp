#include "cli/ShownFields.h"

#include <cstdlib>

using Stuff::Field;
using Stuff::VehicleTexts;
using Kind = ShownField::Kind;

const std::array<ShownField, 7> ShownFields{{
    {Field::RunName, &VehicleTexts::runName, "runName", "Run Name:", Kind::Text},
    {Field::VehicleName, &VehicleTexts::vehicleName, "vehicleName", "Vehicle Name:", Kind::Text},
    {Field::VehicleWeight, &VehicleTexts::weight, "weight", "Vehicle Weight:", Kind::Whole},
    {Field::Redline, &VehicleTexts::redline, "redline", "Redline:", Kind::Whole},
    {Field::ShiftPoint, &VehicleTexts::shiftPoint, "shiftPoint", "Shift Point:", Kind::Whole},
    {Field::RolloutLength, &VehicleTexts::rollout, "rolloutLength", "Rollout Length:", Kind::Tenths},
    {Field::PitchFactor, &VehicleTexts::pitch, "pitchFactor", "Pitch Factor:", Kind::Tenths},
}};

// The whole numbers and tenths as the load and the save's report write
// them: plain digits.
Json ValueJson(const ShownField& field, const std::string& text) {
    switch (field.kind) {
    case Kind::Text: return text;
    case Kind::Whole: return std::strtoull(text.c_str(), nullptr, 10);
    case Kind::Tenths: return text == "n/a" ? Json(nullptr) : Json(std::strtod(text.c_str(), nullptr));
    }
    return nullptr;
}
