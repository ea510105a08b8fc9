#pragma once
// The values of a run file in the order the window shows them, with the
// names the text and the JSON give them, and the JSON value of each: names
// as text, whole numbers and tenths as numbers.
#include <array>
#include <string>

#include "cli/OutputFormat.h"
#include "run_file/RunFileLayout.h"
#include "run_file/SavePlan.h"

struct ShownField {
    enum class Kind { Text, Whole, Tenths };
    Stuff::Field field;
    std::string Stuff::VehicleTexts::*text;
    const char* key;    // in JSON: "weight"
    const char* label;  // as the window labels it: "Vehicle Weight:"
    Kind kind;
};

extern const std::array<ShownField, 7> ShownFields;

// The value of a text of the field as JSON; null for the pitch factor of a
// file without one ("n/a").
Json ValueJson(const ShownField& field, const std::string& text);
