#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <tuple>

#include "support/ErrObject.h"
#include "support/ErrorTable.h"
#include "support/Errors.h"

TEST(ErrorText, EveryCodeTheProgramRecordsHasItsFixedText) {
    // The codes the file helpers record, then a few rows worded by hand
    // rather than read from the constant's name, and the severities.
    const std::map<int32_t, std::string> rows = {
        {1, "Invalid Function"}, {2, "File Not Found"}, {3, "Path Not Found"}, {5, "Access Denied"},
        {6, "Invalid Handle"}, {18, "No More Files"}, {19, "Write Protect"}, {31, "General Failure"},
        {32, "Sharing Violation"}, {80, "File Exists"}, {87, "Invalid Parameter"}, {112, "Disk Full"},
        {206, "Filename Exceeded Range"}, {1117, "IO Device"}, {0, "Severity Success"}, {55, "Device Doesn't Exist"},
        {83, "Fail I24"}, {1340, "Bad Inheritance Acl"}, {6118, "No Browser Servers Found"},
        {1073741824, "Severity Informational"}, {std::numeric_limits<int32_t>::min(), "Severity Warning"},
        {-1073741824, "Severity Error"},
    };
    for (const auto& [code, text] : rows) EXPECT_EQ(Errors::ErrorText(code), text) << "code " << code;
}

TEST(ErrorText, TableHasExactlyTheKnownCodes) {
    const auto rows = Errors::ErrorTableRows();
    ASSERT_EQ(rows.size(), 514u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(i == 0 || rows[i - 1].code < rows[i].code) << "row " << i;
        EXPECT_EQ(Errors::ErrorText(rows[i].code), rows[i].text) << rows[i].code;
        // A code without a row gets no neighbour's text.
        const int64_t next = int64_t{rows[i].code} + 1;
        if (next <= std::numeric_limits<int32_t>::max() && (i + 1 == rows.size() || rows[i + 1].code != next)) {
            EXPECT_EQ(Errors::ErrorText(static_cast<int32_t>(next)), "Unknown / Unlisted Error") << next;
        }
    }
}

TEST(ErrObject, KeepsOnlyTheLastErrorSet) {
    using Record = std::tuple<int32_t, std::string, std::string>;
    const auto of = [](const ErrObject& e) { return Record(e.Number(), e.Description(), e.ExtendedInfo()); };
    ErrObject record;
    record.SetError(5, "Access Denied", "c:\\runs\\a.gtp");
    record.SetError(32, "Sharing Violation");  // without the previous extended info
    EXPECT_EQ(of(record), Record(32, "Sharing Violation", ""));
    record.Clear();
    EXPECT_EQ(of(record), Record(0, "", ""));
}
