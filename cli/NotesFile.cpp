#include "cli/NotesFile.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "cli/Report.h"
#include "support/NativePath.h"

namespace {

namespace fs = std::filesystem;

NotesFileText Problem(ExitStatus status, const std::string& problem) { return {{}, problem, status}; }

// At most `count` bytes; nothing when the stream fails (a read error throws
// from a file stream even with its exceptions off).
std::optional<std::string> ReadAtMost(std::istream& in, size_t count) {
    std::string text(count, '\0');
    try {
        in.read(text.data(), static_cast<std::streamsize>(count));
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

NotesFileText FromStream(std::istream& in, const std::string& source) {
    const std::optional<std::string> text = ReadAtMost(in, MostNotesFileBytes + 1);
    if (!text) return Problem(ExitStatus::Failed, "cannot read " + source);
    if (text->size() > MostNotesFileBytes) return Problem(ExitStatus::Refused, source + " holds more than 64 KiB");
    std::string notes = *text;
    if (notes.ends_with('\n')) notes.pop_back();
    if (notes.ends_with('\r')) notes.pop_back();
    return {notes, {}, ExitStatus::Ok};
}

}  // namespace

NotesFileText ReadNotesFile(const std::string& path) {
    if (path == "-") return FromStream(std::cin, "standard input");
    const std::string source = "the notes file " + Printable(path);
    std::error_code error;
    const fs::file_status status = fs::status(NativePath::FromText(path), error);
    if (fs::is_directory(status)) return Problem(ExitStatus::Refused, source + " is a folder");
    if (!error && !fs::is_regular_file(status) && !fs::is_fifo(status)) {
        return Problem(ExitStatus::Refused, source + " is not a regular file");
    }
    std::ifstream in(NativePath::FromText(path), std::ios::binary);
    if (!in.is_open()) return Problem(ExitStatus::Failed, "cannot read " + source);
    return FromStream(in, source);
}
