#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <tuple>

#include "support/ErrObject.h"
#include "support/ErrorTable.h"
#include "support/Errors.h"

namespace {

const std::string kUnknown = "Unknown / Unlisted Error";

const std::map<int32_t, std::string> kSeverity = {
    {1073741824, "Severity Informational"},
    {std::numeric_limits<int32_t>::min(), "Severity Warning"},
    {-1073741824, "Severity Error"},
};

int CountKnown(int64_t first, int64_t last) {
    int known = 0;
    for (int64_t code = first; code <= last; ++code) known += Errors::ErrorText(static_cast<int32_t>(code)) != kUnknown;
    return known;
}

}  // namespace

TEST(ErrorText, EveryCodeTheProgramRecordsHasItsFixedText) {
    // The codes the file helpers record, then a few rows worded by hand
    // rather than read from the constant's name, and the severities.
    const std::map<int32_t, std::string> rows = {
        {1, "Invalid Function"}, {2, "File Not Found"}, {3, "Path Not Found"}, {5, "Access Denied"},
        {6, "Invalid Handle"}, {18, "No More Files"}, {19, "Write Protect"}, {31, "General Failure"},
        {32, "Sharing Violation"}, {80, "File Exists"}, {87, "Invalid Parameter"}, {112, "Disk Full"},
        {206, "Filename Exceeded Range"}, {1117, "IO Device"}, {0, "Severity Success"}, {55, "Device Doesn't Exist"},
        {83, "Fail I24"}, {1340, "Bad Inheritance Acl"}, {6118, "No Browser Servers Found"},
    };
    for (const auto* table : {&rows, &kSeverity}) {
        for (const auto& [code, text] : *table) EXPECT_EQ(Errors::ErrorText(code), text) << "code " << code;
    }
}

TEST(ErrorText, TableHasExactlyTheKnownCodes) {
    const auto rows = Errors::ErrorTableRows();
    ASSERT_EQ(rows.size(), 514u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(i == 0 || rows[i - 1].code < rows[i].code) << "row " << i;
        EXPECT_EQ(Errors::ErrorText(rows[i].code), rows[i].text) << rows[i].code;
    }
    // Counting through ErrorText itself, apart from the table, around every
    // stretch where rows live and well past it on both sides.
    const int64_t reach = 1 << 20;
    int known = CountKnown(-reach, reach);
    EXPECT_EQ(known, 511);
    for (const auto& [code, text] : kSeverity)
        known += CountKnown(std::max<int64_t>(code - reach, std::numeric_limits<int32_t>::min()), code + reach);
    EXPECT_EQ(known, 514);
    EXPECT_EQ(CountKnown(std::numeric_limits<int32_t>::max() - reach, std::numeric_limits<int32_t>::max()), 0);
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
