#include "cli/NotesFile.h"

#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "base/RuntimeError.h"
#include "cli/Report.h"
#include "platform/NativePath.h"
#include "support/LockedFile.h"

namespace {

// Just past the limit: enough to tell that there is more.
constexpr size_t ReadBytes = MostNotesFileBytes + 1;

NotesFileText Problem(ExitStatus status, const std::string& problem) { return {{}, problem, status}; }

NotesFileText FromText(std::string text, const std::string& source) {
    if (text.size() > MostNotesFileBytes) return Problem(ExitStatus::Refused, source + " holds more than 64 KiB");
    if (text.ends_with('\n')) text.pop_back();
    if (text.ends_with('\r')) text.pop_back();
    return {std::move(text), {}, ExitStatus::Ok};
}

NotesFileText FromStandardInput() {
    const std::string source = "standard input";
    std::string text(ReadBytes, '\0');
    std::cin.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (std::cin.bad()) return Problem(ExitStatus::Failed, "cannot read " + source);
    text.resize(static_cast<size_t>(std::cin.gcount()));
    return FromText(std::move(text), source);
}

// Through the file layer the run files use, which opens regular files only,
// checked on the open file: a device (/dev/zero, NUL, COM1) or a pipe is
// never read; standard input is the way for piped notes.
NotesFileText FromFile(const std::string& path) {
    const std::string source = "the notes file " + Printable(path);
    std::error_code ignored;
    if (std::filesystem::is_directory(NativePath::FromText(path), ignored)) {
        return Problem(ExitStatus::Refused, source + " is a folder");
    }
    try {
        const LockedFile file(path, LockedFile::OpenMode::Read);
        std::vector<uint8_t> bytes(ReadBytes);
        bytes.resize(file.Read(1, bytes));
        return FromText(std::string(bytes.begin(), bytes.end()), source);
    } catch (const RuntimeError& error) {
        if (error.Number() == ErrorNumber::PathFileAccessError) {
            return Problem(ExitStatus::Refused, source + " is not a regular file");
        }
        const std::string failure = FailureText(error.Number(), error.Description());
        return Problem(ExitStatus::Failed, "cannot read " + source + " (" + failure + ")");
    }
}

}  // namespace

NotesFileText ReadNotesFile(const std::string& path) { return path == "-" ? FromStandardInput() : FromFile(path); }
