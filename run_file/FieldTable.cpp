#include "run_file/FieldTable.h"

#include <algorithm>

#include "base/RuntimeError.h"

namespace Stuff {

namespace {

// The digits before the decimal point grouped in threes: "65535" gives "65,535".
std::string Grouped(std::string_view number) {
    const size_t point = std::min(number.find('.'), number.size());
    const size_t sign = number.starts_with('-') ? 1 : 0;
    std::string grouped(number.substr(0, sign));
    for (size_t at = sign; at < point; ++at) {
        if (at > sign && (point - at) % 3 == 0) grouped += ',';
        grouped += number[at];
    }
    grouped += number.substr(point);
    return grouped;
}

}  // namespace

const EditableField& Editable(Field field) {
    const auto row = std::find_if(EditableFields.begin(), EditableFields.end(),
                                  [field](const EditableField& candidate) { return candidate.field == field; });
    if (row == EditableFields.end()) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "The " + std::string(Spec(field).name) +
                                                                  " field cannot be edited");
    }
    return *row;
}

std::string LimitText(const EditableField& row) {
    if (row.entry == EntryKind::Name) {
        return "Maximum length is " + std::to_string(row.typingLimit) + " characters.";
    }
    return "The range is " + Grouped(row.lowest) + " to " + Grouped(row.highest) + ".";
}

std::string Tooltip(const EditableField& row) {
    if (row.about.empty()) return {};
    return std::string(row.about) + "  " + LimitText(row);
}

}  // namespace Stuff
