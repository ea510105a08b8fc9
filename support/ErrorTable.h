#pragma once
// The fixed texts of the Windows system error codes, one row per known code.
#include <cstdint>
#include <span>
#include <string_view>

namespace Errors {

struct ErrorTableRow {
    int32_t code;
    std::string_view text;
};

// Every known code once, in ascending signed order, so a lookup can bisect.
std::span<const ErrorTableRow> ErrorTableRows();

}  // namespace Errors
