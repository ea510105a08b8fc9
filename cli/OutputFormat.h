#pragma once
// The forms of the tool's results: text for a person, one JSON array, JSON
// lines (one object a line, so the output of several runs joins into one
// stream) and CSV for a spreadsheet. Each is written one file at a time, so a
// batch of any size is never held in memory.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

enum class Format { Text, JsonArray, JsonLines, Csv };

// Every occurrence of search replaced in one pass, left to right: a
// replacement never takes part in a later match.
std::string ReplaceEach(std::string_view text, std::string_view search, std::string_view replacement);

struct Output {
    Format format = Format::Text;
    // Only the files that are not OK: damaged, short, refused or failed.
    bool quiet = false;
};

// Writes one record per file in a data format: the objects of one command
// all have the same keys, which CSV takes as its columns (null as an empty
// field, an array as its elements between blanks), after a header row.
class Records {
public:
    Records(std::ostream& out, Format format) : out_(out), format_(format) {}
    ~Records();
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    void Add(const Json& object);

private:
    void AddCsv(const Json& object);

    std::ostream& out_;
    Format format_;
    bool empty_ = true;
};

// The keys that name a file: "file", its path as text (bytes that are no
// UTF-8 as U+FFFD), and "pathBytes", the path's exact bytes in base64 when
// they are no valid UTF-8 (null else), by which a script can open it again.
Json PathObject(const std::string& path);

// Text as JSON writes it, with U+FFFD for the bytes that are no UTF-8.
std::string JsonText(const Json& json, int indent = -1);
