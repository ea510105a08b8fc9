#pragma once
// What the commands share: loading one run file for a report, the failure
// text the window words the same way, and a JSON array written one object at
// a time, so that a batch of any size is never held in memory.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "run_file/RunFile.h"

using Json = nlohmann::ordered_json;

// "Error (53) - File not found", as the window begins its message.
std::string FailureText(int32_t number, std::string_view description);

// Loads the file at `path`, with the scan's progress on a terminal. The
// failure text when it could not be loaded; nothing when it was.
std::optional<std::string> LoadForReport(Stuff::RunFile& runFile, const std::string& path);

// Text in double quotes with JSON's escapes, line breaks (CR LF) as "\n":
// blanks at the ends and line breaks of names and notes stay visible.
std::string Quoted(std::string_view text);

// The first 60 characters of a text echoed in an error, with "…" after them
// when there were more: a refused value may be a whole file's text.
std::string Excerpt(std::string_view text);

// The texts of the window with their CR LF line breaks as "\n".
std::string WithNewlines(std::string_view text);

// A text from a run file or a file name, made safe for a terminal: a control
// character other than the tab shows as its picture ("\x1B" as U+241B), a C1
// control (an undefined Windows-1252 byte reads as one) as U+FFFD. Names and
// notes could otherwise move the cursor, retitle or clear the terminal.
std::string Printable(std::string_view text);

class JsonArray {
public:
    explicit JsonArray(std::ostream& out) : out_(out) {}
    ~JsonArray();
    JsonArray(const JsonArray&) = delete;
    JsonArray& operator=(const JsonArray&) = delete;

    void Add(const Json& object);

private:
    std::ostream& out_;
    bool empty_ = true;
};
