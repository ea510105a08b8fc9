#include "cli/Messages.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "base/RuntimeError.h"
#include "cli/Report.h"
#include "platform/NativePath.h"
#include "platform/WindowsCode.h"

namespace {

// Whether the system's code says that another open holds the file (on
// Linux its lock would block); any other refusal may as well be one of the
// file's permissions.
bool HeldByAnother(const RuntimeError& failure) {
    const int32_t code = WindowsCode::Of(failure);
    return code == SystemErrorCode::SharingViolation || code == SystemErrorCode::LockViolation;
}

std::string Explanation(const std::string& path, const RuntimeError& failure) {
    std::error_code error;
    const std::filesystem::path native = NativePath::FromText(path);
    switch (failure.Number()) {
    case ErrorNumber::InputPastEndOfFile: {
        const uintmax_t size = std::filesystem::file_size(native, error);
        if (error) return {};
        if (size == 0) return "the file is empty";
        return "the file ends after " + std::to_string(size) +
               " bytes, inside the fields every run file has: it is cut short, or no run file";
    }
    case ErrorNumber::TypeMismatch: return "no PASS version number where a run file has one: this is no run file";
    case ErrorNumber::PathFileAccessError:
        if (std::filesystem::is_directory(native, error)) return "this is a folder, not a run file";
        if (std::filesystem::exists(native, error) && !std::filesystem::is_regular_file(native, error)) {
            return "this is a device or a pipe, not a run file";
        }
        return {};
    case ErrorNumber::PermissionDenied: {
        const std::string inUse = "the file is in use by another program (PASS, Tachlet or another tachlet-cli)";
        return HeldByAnother(failure) ? inUse : inUse + ", or you may not open it";
    }
    default: return {};
    }
}

// The optimal string alignment distance: a swap of two neighbours is one slip.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::string FailureText(int32_t number, std::string_view description) {
    return "Error (" + std::to_string(number) + ") - " + std::string(description);
}

Failure FailureOf(const std::string& path, const RuntimeError& error) {
    std::string text = FailureText(error.Number(), error.Description());
    if (const std::string plain = Explanation(path, error); !plain.empty()) text += " (" + plain + ")";
    return {error.Number(), text};
}

std::string EndsBeforeRunData(const Stuff::RunFileContents& contents) {
    return "the file ends after " + std::to_string(contents.fileSize) + " bytes, before its run data at byte " +
           std::to_string(contents.version.runDataStart);
}

void ReportUsageError(std::string_view reason) {
    std::cerr << "tachlet-cli: " << Printable(reason) << "\nTry 'tachlet-cli --help'.\n";
}

std::string UnknownCommand(const std::string& word, const std::vector<std::string>& commands) {
    std::string reason = "'" + word + "' is not a command";
    const auto nearest = std::min_element(commands.begin(), commands.end(), [&](const auto& a, const auto& b) {
        return Distance(word, a) < Distance(word, b);
    });
    if (nearest != commands.end() && Distance(word, *nearest) <= 2 && Distance(word, *nearest) < word.size()) {
        return reason + "; did you mean '" + *nearest + "'?";
    }
    std::string list;
    for (const std::string& command : commands) list += (list.empty() ? "" : ", ") + command;
    return reason + " (the commands are " + list + ")";
}
