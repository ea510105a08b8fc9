#pragma once
// The run files that the paths of a check name: a file as given, a folder's
// *.gtp files in any case sorted by name, and with `recursive` then its
// subfolders' in turn. One folder is listed at a time, so the walk holds no
// more than the names of the folders it is in.
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Called with each file in order, or with a folder that could not be listed
// and the failure text.
using RunFileVisit = std::function<void(const std::string& path, const std::optional<std::string>& failure)>;

void ForEachRunFile(const std::vector<std::string>& paths, bool recursive, const RunFileVisit& visit);
