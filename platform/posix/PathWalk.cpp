#include "platform/PathWalk.h"

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace PathWalk {

// Each level is opened from the one above it (O_PATH asks for no access),
// so the walk takes time in proportion to the path's length.
std::string NearestExistingPart(std::string_view path) {
    if (path == "/") {
        return "/";
    }
    const bool absolute = !path.empty() && path.front() == '/';
    int at = absolute ? ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC) : AT_FDCWD;
    size_t found = 0;  // the length of the leading part found so far
    size_t start = absolute ? 1 : 0;
    while (start <= path.size() && (at >= 0 || at == AT_FDCWD)) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            const std::string level(path.substr(start, end - start));
            const int next = ::openat(at, level.c_str(), O_PATH | O_CLOEXEC);
            if (at >= 0) {
                ::close(at);
            }
            at = next;
            if (next < 0) {
                break;
            }
            found = end;
        }
        start = end + 1;
    }
    if (at >= 0) {
        ::close(at);
    }
    return std::string(path.substr(0, found));
}

}  // namespace PathWalk
