#pragma once
// Paths as the program's text, with this system's rules for where a path
// begins and how its levels are separated: "/" on Linux; a drive's root
// ("C:\") on Windows, where "/" separates levels as "\" does. Only Clean
// asks the system anything: the current folder.
#include <cstddef>
#include <string>
#include <string_view>

namespace Paths {

// The absolute form of a path, without "." and ".." levels or a separator at
// its end (a root keeps its own), worked out from its text alone: in the
// folder /runs, "old/../new/" gives "/runs/new". Empty when the current
// folder cannot be had.
std::string Clean(std::string_view path);

// How much of an absolute path is its root: 1 for "/runs", 3 for "C:\Runs";
// 0 for a relative path.
size_t RootLength(std::string_view path);

// A name in a folder, with one separator between them: "/runs" or "/runs/"
// and "a.gtp" give "/runs/a.gtp".
std::string Join(std::string_view folder, std::string_view name);

}  // namespace Paths
