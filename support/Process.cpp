#include "support/Process.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace Process {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsQuoted(std::string_view target) {
    return target.size() >= 2 && target.front() == '"' && target.back() == '"';
}

bool LocalFileExists(const std::string& path) {
    std::error_code error;
    // Built from UTF-8, not from the system's narrow code page.
    return !path.empty() && std::filesystem::exists(std::filesystem::path(std::u8string(path.begin(), path.end())), error);
}

}  // namespace

bool HasUrlScheme(std::string_view target) {
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(target.front())) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = target[i];
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

int32_t OpenDocument(std::string_view target, DocumentOpener& opener, DocumentOpener::LateFailure onLateFailure) {
    const bool quoted = IsQuoted(target);
    if (quoted) {
        target = target.substr(1, target.size() - 2);
    }
    if (!quoted && HasUrlScheme(target)) {
        return opener.OpenUrl(std::string(target), std::move(onLateFailure)) ? Opened : 0;
    }
    const std::string path(target);
    if (!LocalFileExists(path)) {
        return 0;
    }
    return opener.OpenLocalFile(path, std::move(onLateFailure)) ? Opened : 0;
}

}  // namespace Process
