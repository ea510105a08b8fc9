#pragma once
// The program's one shared error record, and the fixed texts of the Windows
// system error codes that the file helpers report.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/ErrObject.h"

namespace Errors {

// The shared record, created on first use and kept until the program ends.
ErrObject& LastError();

// Overwrites all three fields of the shared record.
void RecordError(int32_t number, std::string_view description, std::string_view extendedInfo);

// The fixed text of a Windows system error code; "Unknown / Unlisted Error"
// for every code outside the table.
std::string ErrorText(int32_t code);

}  // namespace Errors
