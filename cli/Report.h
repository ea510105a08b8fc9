#pragma once
// What the commands share: loading one run file for a report, and the texts
// of run files and file names made fit to show.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "run_file/RunFile.h"

// What a load found of a file as a whole: the worst first.
enum class FileStatus { Error, Short, Damaged, Ok };

// A file ends before its run data, or holds damaged records, or neither.
FileStatus StatusOf(const Stuff::RunFileContents& contents);
// "ok", "damaged", "short" or "error", as the JSON gives it.
const char* StatusName(FileStatus status);
ExitStatus ExitFor(FileStatus status);

// One line about a file on standard error: "FILE: LINE".
void ReportProblem(const std::string& path, const std::string& line);

// Loads the file at `path`, with the scan's progress on a terminal. The
// failure when it could not be loaded; nothing when it was.
std::optional<Failure> LoadForReport(Stuff::RunFile& runFile, const std::string& path);

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
