#include "platform/PathWalk.h"

#include "platform/windows/WindowsErrors.h"

namespace PathWalk {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool Exists(std::string_view path) {
    const auto wide = WindowsErrors::WidePath(path);
    return wide && ::GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The length of the top the walk starts from: "C:\" (or "C:"), the server
// and share of "\\server\share\", a lone separator; 0 for a path relative
// to the current folder.
size_t TopLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t at = 2;
        for (int part = 0; part < 2 && at < path.size(); ++part) {
            while (at < path.size() && !IsSeparator(path[at]))
                ++at;
            if (at < path.size())
                ++at;
        }
        return at;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

}  // namespace

std::string NearestExistingPart(std::string_view path) {
    const size_t top = TopLength(path);
    if (top == path.size())
        return path.empty() || !Exists(path) ? std::string() : std::string(path);
    size_t found = 0;
    for (size_t start = top; start <= path.size();) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        if (end > start) {
            if (!Exists(path.substr(0, end)))
                break;
            found = end;
        }
        start = end + 1;
    }
    return std::string(path.substr(0, found));
}

}  // namespace PathWalk
