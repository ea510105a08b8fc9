#include "support/Errors.h"

#include <algorithm>

#include "support/ErrorTable.h"

namespace Errors {

ErrObject& LastError() {
    // Built on first use; nothing clears it afterwards, so it always holds the
    // most recent failure for the command that reads it next.
    static ErrObject record;
    return record;
}

void RecordError(int32_t number, std::string_view description, std::string_view extendedInfo) {
    LastError().SetError(number, std::string(description), std::string(extendedInfo));
}

std::string ErrorText(int32_t code) {
    const auto rows = ErrorTableRows();
    const auto row = std::lower_bound(rows.begin(), rows.end(), code,
                                      [](const ErrorTableRow& r, int32_t c) { return r.code < c; });
    if (row == rows.end() || row->code != code) {
        return "Unknown / Unlisted Error";
    }
    return std::string(row->text);
}

}  // namespace Errors
