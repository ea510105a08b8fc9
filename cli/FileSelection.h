#pragma once
// The run files a command works on, as it names them: files and folders on
// the command line, then those of a list (--files-from), one at a time. A
// folder gives its *.gtp files in any case sorted by name, and with
// `recursive` then its subfolders' in turn; one folder is listed at a time,
// so the walk holds no more than the names of the folders it is in. Where the
// system's shells leave wildcards to the program (Windows), a path on the
// command line with * or ? gives the names it matches.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "cli/Messages.h"

struct FileSelection {
    std::vector<std::string> paths;
    bool recursive = false;
    // The file that lists more paths, "-" for standard input.
    std::optional<std::string> listFile;
    // The list's paths end with a NUL each (find -print0), not a line break.
    bool nulSeparated = false;
};

// Called with each run file in order, or with a path that gives none (a
// folder that cannot be listed, a pattern that matches nothing) and why.
using RunFileVisit = std::function<void(const std::string& path, const std::optional<Failure>& failure)>;

// Visits every run file of the selection. Ok, or Failed when the list could
// not be read (said on standard error): nothing is visited when it cannot be
// opened at all.
ExitStatus ForEachSelectedFile(const FileSelection& selection, const RunFileVisit& visit);
