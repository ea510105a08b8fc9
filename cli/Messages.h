#pragma once
// The words of the tool's problems: a file's failure as the window words it,
// with what it means in plain words where the window's words do not say it,
// and the lines of a usage error.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/RuntimeError.h"
#include "run_file/RunFile.h"

// Why a file could not be read or written.
struct Failure {
    // The runtime error number; 0 for a refusal that has none.
    int32_t number = 0;
    // "Error (62) - Input past end of file (the file is empty)".
    std::string text;
};

// "Error (53) - File not found", as the window begins its message.
std::string FailureText(int32_t number, std::string_view description);

// The failure of `path` with the error, and, where the description alone
// does not say it, what it means for that file: a folder, an empty file, a
// file cut short inside its fixed fields, a file that is no run file, a file
// another program holds (told by the system's code where it says so).
Failure FailureOf(const std::string& path, const RuntimeError& error);

// "the file ends after 300 bytes, before its run data at byte 312", for a
// file whose load found no run data because the file stops before it.
std::string EndsBeforeRunData(const Stuff::RunFileContents& contents);

// The lines of a usage error on standard error: the reason, then where to
// find the usage.
void ReportUsageError(std::string_view reason);

// The reason for a word that names no command, with the nearest command when
// one is near enough to be a slip of the keys.
std::string UnknownCommand(const std::string& word, const std::vector<std::string>& commands);
