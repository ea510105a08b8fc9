#pragma once
// The wildcards of a path on a system whose shells do not expand them: * for
// any run of characters and ? for one, in any part of the path, matched by
// the system's own search (on Windows without regard to case, as Windows
// matches). A part with a wildcard gives the matching files sorted by name,
// then the matching folders; parts before the last give folders only.
#include <string>
#include <string_view>
#include <vector>

bool HasWildcards(std::string_view path);

// The paths the pattern matches, each spelled as the pattern up to the part
// that matched; none when nothing matches. Hidden entries are left out.
std::vector<std::string> ExpandWildcards(const std::string& pattern);
