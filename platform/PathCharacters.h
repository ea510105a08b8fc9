#pragma once
// The characters of this system's paths.
#include <string_view>

namespace PathCharacters {

// The separator between the parts of a path: a slash on Linux, a backslash
// on Windows.
extern const char Separator;

// The characters besides the control characters that a file name may not
// hold: "/" on Linux; \ / : * ? " < > | on Windows.
extern const std::string_view ForbiddenInNames;

}  // namespace PathCharacters
