#include "support/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/NativePath.h"
#include "support/Files.h"

namespace Paths {

namespace {

bool IsSeparator(char c) { return c == '/' || c == Files::PathSeparator; }

}  // namespace

std::string Clean(std::string_view path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(NativePath::FromText(path), error);
    if (error)
        return {};
    std::string cleaned = NativePath::ToText(absolute.lexically_normal());
    const size_t keep = std::max<size_t>(RootLength(cleaned), 1);
    while (cleaned.size() > keep && IsSeparator(cleaned.back()))
        cleaned.pop_back();
    return cleaned;
}

size_t RootLength(std::string_view path) {
    return NativePath::ToText(NativePath::FromText(path).root_path()).size();
}

std::string Join(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (!joined.empty() && !IsSeparator(joined.back()))
        joined += Files::PathSeparator;
    return joined.append(name);
}

}  // namespace Paths
