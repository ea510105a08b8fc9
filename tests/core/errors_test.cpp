#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "support/ErrObject.h"
#include "support/ErrorTable.h"
#include "support/Errors.h"

namespace {

const std::string kUnknown = "Unknown / Unlisted Error";

// Rows whose wording is not the plain reading of the constant's name.
const std::map<int32_t, std::string> kReworded = {
    {0, "Severity Success"}, {14, "Out Of Memory"}, {31, "General Failure"}, {52, "Duplicate Name"},
    {53, "Bad Net Path"}, {55, "Device Doesn't Exist"}, {57, "Adapter Hardware Error"}, {58, "Bad Net Response"},
    {59, "Unexpected Network Error"}, {60, "Bad Rem Adapter"}, {61, "Print Queue Full"}, {66, "Bad Device Type"},
    {71, "Req Not Accepted"}, {101, "Excl Semaphore Already Owned"}, {102, "Semaphore Is Set"},
    {105, "Semaphore Owner Died"}, {106, "Semaphore User Limit"}, {121, "Semaphore Timeout"},
    {159, "Bad Thread ID Address"}, {187, "Semaphore Not Found"}, {188, "Invalid Starting Code Segment"},
    {189, "Invalid Stack Segment"}, {190, "Invalid Module Type"}, {195, "Invalid Minimum Allocation Size"},
    {200, "Ring2 Segment Must Be Movable"}, {203, "Environment Variable Not Found"}, {206, "Filename Exceeded Range"},
    {275, "EAS Didn't Fit"}, {998, "No Access"}, {999, "Swap Error"}, {1009, "Bad DB"}, {1010, "Bad Key"},
    {1011, "Cannot Open"}, {1012, "Cannot Read"}, {1013, "Cannot Write"}, {1074, "Already Running Linkage"},
    {1217, "Invalid Message Name"}, {1218, "Invalid Message Destination"}, {1221, "Duplicate Domain Name"},
    {1310, "Cannot Disable Mandatory"}, {1347, "Cannot Open Anonymous"}, {1351, "Cannot Access Domain Info"},
    {1429, "Public Only Hook"}, {1441, "Hwnds Have Different Parents"}, {1445, "Non MDI Child Window"},
    {1501, "Eventlog Cannot Start"}, {1798, "Unknown Print Processor"}, {1807, "No Logon Interdomain Trust Account"},
    {1808, "No Logon Workstation Trust Account"}, {1809, "No Logon Server Trust Account"},
    {3003, "Spooler Didn't Start Doc"}, {3004, "Spooler Didn't Add Job"}, {4001, "Can Not Delete Local Wins"},
};

// Rows that keep abbreviations in capitals inside the constant's words.
const std::map<int32_t, std::string> kCapitalised = {
    {23, "CRC"}, {38, "Handle EOF"}, {194, "Iterated Data Exceeds 64K"}, {197, "IOPL Not Enabled"},
    {199, "Autodataseg Exceeds 64K"}, {240, "VC Disconnected"}, {254, "Invalid EA Name"},
    {255, "EA List Inconsistent"}, {276, "EA File Corrupt"}, {277, "EA Table Full"}, {278, "Invalid EA Handle"},
    {282, "EAS Not Supported"}, {994, "EA Access Denied"}, {996, "IO Incomplete"}, {997, "IO Pending"},
    {1114, "DLL Init Failed"}, {1117, "IO Device"}, {1119, "IRQ Busy"}, {1122, "Floppy ID Mark Not Found"},
    {1129, "EOM Overflow"}, {1304, "Null LM Password"}, {1333, "Too Many LuIDs Requested"}, {1334, "LuIDs Exhausted"},
    {1336, "Invalid ACL"}, {1337, "Invalid SID"}, {1343, "Invalid ID Authority"}, {1358, "Internal DB Corruption"},
    {1369, "RxAct Invalid State"}, {1370, "RxAct Commit Failure"}, {1383, "Internal DB Error"},
    {1386, "NT Cross Encryption Required"}, {1390, "LM Cross Encryption Required"}, {1405, "Invalid DWP Handle"},
    {1406, "Tlw With WSChild"}, {1416, "Listbox ID Not Found"}, {1421, "Control ID Not Found"},
    {1425, "DC Not Found"}, {1428, "Hook Needs HMod"}, {1432, "Invalid LB Message"}, {1434, "LB Without Tabstops"},
    {1439, "Invalid SPI Value"}, {1443, "Invalid GW Command"}, {1444, "Invalid Thread ID"},
    {1449, "Invalid ShowWin Command"}, {4006, "RPL Not Allowed"},
};

const std::map<int32_t, std::string> kSeverity = {
    {1073741824, "Severity Informational"},
    {std::numeric_limits<int32_t>::min(), "Severity Warning"},
    {-1073741824, "Severity Error"},
};

// A plain row: words of a capital (or digit) followed by small letters and digits.
bool ReadsAsPlainWords(const std::string& text) {
    std::istringstream words(text);
    int count = 0;
    for (std::string word; words >> word; ++count) {
        if (std::islower(static_cast<unsigned char>(word[0]))) return false;
        if (std::any_of(word.begin() + 1, word.end(), [](unsigned char c) { return std::isupper(c); })) return false;
    }
    return count > 0 && text.find("  ") == std::string::npos && text.front() != ' ' && text.back() != ' ';
}

int CountKnown(int64_t first, int64_t last) {
    int known = 0;
    for (int64_t code = first; code <= last; ++code) known += Errors::ErrorText(static_cast<int32_t>(code)) != kUnknown;
    return known;
}

}  // namespace

TEST(ErrorText, RowsReadTheConstantNamesUnlessWordedByHand) {
    for (const auto* rows : {&kReworded, &kCapitalised, &kSeverity}) {
        for (const auto& [code, text] : *rows) EXPECT_EQ(Errors::ErrorText(code), text) << "code " << code;
    }
    EXPECT_EQ(kReworded.size() + kCapitalised.size(), 98u);
    const std::map<int32_t, std::string> samples = {
        {1, "Invalid Function"}, {2, "File Not Found"}, {3, "Path Not Found"}, {5, "Access Denied"},
        {32, "Sharing Violation"}, {83, "Fail I24"}, {207, "Ring2 Stack In Use"},
        {210, "Thread 1 Inactive"}, {1003, "Can Not Complete"}, {1340, "Bad Inheritance Acl"},
        {1384, "Too Many Context Ids"}, {1389, "Too Many Sids"}, {1433, "Setcount On Bad Lb"},
        {6118, "No Browser Servers Found"},
    };
    for (const auto& [code, text] : samples) EXPECT_EQ(Errors::ErrorText(code), text) << "code " << code;
    for (const auto& row : Errors::ErrorTableRows()) {
        if (kReworded.count(row.code) || kCapitalised.count(row.code) || kSeverity.count(row.code)) continue;
        EXPECT_TRUE(ReadsAsPlainWords(std::string(row.text))) << row.code << " \"" << row.text << "\"";
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
    EXPECT_EQ(of(record), Record(0, "", ""));
    record.SetError(5, "Access Denied", "c:\\runs\\a.gtp");
    EXPECT_EQ(of(record), Record(5, "Access Denied", "c:\\runs\\a.gtp"));
    record.SetError(32, "Sharing Violation");  // without the previous extended info
    EXPECT_EQ(of(record), Record(32, "Sharing Violation", ""));
    record.Clear();
    EXPECT_EQ(of(record), Record(0, "", ""));

    // The shared record: nothing else in this program has touched it yet.
    ErrObject& shared = Errors::LastError();
    EXPECT_EQ(of(shared), Record(0, "", ""));
    Errors::RecordError(2, Errors::ErrorText(2), "c:\\runs\\gone.gtp");
    Errors::RecordError(-1, "No File Specified", "");
    EXPECT_EQ(&Errors::LastError(), &shared);
    EXPECT_EQ(of(shared), Record(-1, "No File Specified", ""));
}
