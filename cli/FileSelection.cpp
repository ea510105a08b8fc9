#include "cli/FileSelection.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "base/RuntimeError.h"
#include "cli/Report.h"
#include "cli/Wildcards.h"
#include "platform/CommandLine.h"
#include "platform/NativePath.h"
#include "support/Files.h"

namespace {

// No path is longer (Windows allows 32,767 UTF-16 units); a longer entry is
// no list of paths, and is not read on into memory.
constexpr size_t MostEntryBytes = 3 * 32 * 1024;

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == Files::PathSeparator) return folder + name;
    return folder + Files::PathSeparator + name;
}

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(NativePath::FromText(path), ignored);
}

class Walk {
public:
    Walk(bool recursive, const RunFileVisit& visit) : recursive_(recursive), visit_(visit) {}

    void Path(const std::string& path) {
        if (path.find('\0') != std::string::npos) {
            // The system would take the name only up to the NUL: another file.
            visit_(path, Failure{ErrorNumber::BadFileNameOrNumber,
                                 FailureText(ErrorNumber::BadFileNameOrNumber, "Bad file name or number") +
                                     " (the name holds a NUL byte; a list of such names is read with -0)"});
        } else if (IsFolder(path)) {
            Folder(path);
        } else {
            visit_(path, std::nullopt);
        }
    }

private:
    void Folder(const std::string& folder) {
        // A link back to a folder the walk is in would lead round for ever.
        std::error_code error;
        const std::filesystem::path identity = std::filesystem::canonical(NativePath::FromText(folder), error);
        if (!error && std::find(inside_.begin(), inside_.end(), identity) != inside_.end()) return;
        inside_.push_back(identity);
        try {
            for (const std::string& name : Files::ListFolder(folder, "*.gtp", Files::EntryKind::Files)) {
                visit_(Join(folder, name), std::nullopt);
            }
            if (recursive_) {
                for (const std::string& name : Files::ListFolder(folder, "*", Files::EntryKind::Folders)) {
                    Folder(Join(folder, name));
                }
            }
        } catch (const RuntimeError& failure) {
            // The words a file's failure adds would mislead for a folder.
            visit_(folder, Failure{failure.Number(), FailureText(failure.Number(), failure.Description())});
        }
        inside_.pop_back();
    }

    bool recursive_;
    const RunFileVisit& visit_;
    std::vector<std::filesystem::path> inside_;
};

void CommandLinePath(Walk& walk, const std::string& path, const RunFileVisit& visit) {
    if (CommandLine::ShellExpandsWildcards || !HasWildcards(path)) return walk.Path(path);
    const std::vector<std::string> matches = ExpandWildcards(path);
    if (matches.empty()) {
        return visit(path, Failure{ErrorNumber::FileNotFound,
                                   FailureText(ErrorNumber::FileNotFound, "File not found") +
                                       " (no file matches this pattern)"});
    }
    for (const std::string& match : matches) walk.Path(match);
}

// The next entry of the list; false at its end. A line's CR LF end counts as
// its line break, and empty lines are skipped.
bool NextEntry(std::istream& list, char separator, std::string& entry) {
    std::streambuf& bytes = *list.rdbuf();
    for (;;) {
        entry.clear();
        int byte;
        while ((byte = bytes.sbumpc()) != std::char_traits<char>::eof() && byte != separator) {
            if (entry.size() == MostEntryBytes) throw std::length_error("an entry of more than 96 KiB");
            entry += static_cast<char>(byte);
        }
        if (separator == '\n' && entry.ends_with('\r')) entry.pop_back();
        if (!entry.empty()) return true;
        if (byte == std::char_traits<char>::eof()) return false;
    }
}

std::string ListName(const std::string& listFile) {
    return listFile == "-" ? "standard input" : "the list " + Printable(listFile);
}

ExitStatus ListProblem(const std::string& listFile, const std::string& problem) {
    std::cerr << "tachlet-cli: cannot read " << ListName(listFile) << " (" << problem << ")\n";
    return ExitStatus::Failed;
}

}  // namespace

ExitStatus ForEachSelectedFile(const FileSelection& selection, const RunFileVisit& visit) {
    std::ifstream file;
    if (selection.listFile && *selection.listFile != "-") {
        const std::filesystem::path native = NativePath::FromText(*selection.listFile);
        std::error_code ignored;
        if (IsFolder(*selection.listFile)) return ListProblem(*selection.listFile, "it is a folder");
        // A device such as /dev/zero lists nothing without end; a pipe is a
        // list as a program writes it.
        if (std::filesystem::is_character_file(native, ignored) || std::filesystem::is_block_file(native, ignored)) {
            return ListProblem(*selection.listFile, "it is a device");
        }
        file.open(native, std::ios::binary);
        if (!file && !std::filesystem::exists(native, ignored)) {
            return ListProblem(*selection.listFile, FailureText(ErrorNumber::FileNotFound, "File not found"));
        }
        if (!file) {
            return ListProblem(*selection.listFile, FailureText(ErrorNumber::PermissionDenied, "Permission denied"));
        }
    }
    Walk walk(selection.recursive, visit);
    for (const std::string& path : selection.paths) CommandLinePath(walk, path, visit);
    if (!selection.listFile) return ExitStatus::Ok;

    std::istream& list = *selection.listFile == "-" ? std::cin : file;
    const char separator = selection.nulSeparated ? '\0' : '\n';
    try {
        for (std::string entry; NextEntry(list, separator, entry);) walk.Path(entry);
    } catch (const std::length_error& tooLong) {
        return ListProblem(*selection.listFile, std::string(tooLong.what()) + ": no list of paths");
    }
    if (list.bad()) return ListProblem(*selection.listFile, "a read failed");
    return ExitStatus::Ok;
}
