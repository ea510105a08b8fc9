#pragma once
// The values of a run file in the order the window shows them, with the
// name the JSON gives each and its JSON value: names as text, whole numbers
// and tenths as numbers. Where a value's text is kept, how it is entered and
// how the window captions it, the field table says.
#include <array>
#include <string>

#include "cli/OutputFormat.h"
#include "run_file/FieldTable.h"

struct ShownField {
    Stuff::Field field;
    const char* key;  // in JSON: "weight"

    const Stuff::EditableField& Row() const { return Stuff::Editable(field); }
    const std::string& TextIn(const Stuff::VehicleTexts& texts) const { return texts.*Row().text; }
};

extern const std::array<ShownField, 7> ShownFields;

// The value of a text of the field as JSON; null for the pitch factor of a
// file without one ("n/a").
Json ValueJson(const ShownField& field, const std::string& text);
