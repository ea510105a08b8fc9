#pragma once
// The longest leading part of a path, cut at a separator, that names an
// existing entry: "/runs/gone/deeper" gives "/runs" when only "/runs" is
// there, and "C:\Runs\gone" gives "C:\Runs" on Windows. Empty when not even
// the first level below the top exists; the top alone ("/", a drive's root)
// is the answer only for itself. The path comes trimmed of blanks.
#include <string>
#include <string_view>

namespace PathWalk {

std::string NearestExistingPart(std::string_view path);

}  // namespace PathWalk
