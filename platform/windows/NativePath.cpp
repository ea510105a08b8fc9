#include "platform/NativePath.h"

#include "base/WideText.h"

namespace NativePath {

// Bytes that are no UTF-8 give the empty path, which names no file, rather
// than another file's name.
std::filesystem::path FromText(std::string_view text) {
    const auto units = WideText::FromUtf8(text);
    if (!units)
        return {};
    return std::filesystem::path(std::wstring(units->begin(), units->end()));
}

std::string ToText(const std::filesystem::path& path) {
    const std::wstring& units = path.native();
    return WideText::ToUtf8(std::u16string(units.begin(), units.end()));
}

}  // namespace NativePath
