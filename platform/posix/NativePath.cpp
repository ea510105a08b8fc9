#include "platform/NativePath.h"

namespace NativePath {

// The native form is the bytes themselves.
std::filesystem::path FromText(std::string_view text) { return std::filesystem::path(std::string(text)); }

std::string ToText(const std::filesystem::path& path) { return path.native(); }

}  // namespace NativePath
