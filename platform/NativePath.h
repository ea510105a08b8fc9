#pragma once
// Paths between the program's text and the standard library's file calls.
// Inside the program a path is UTF-8 on Windows (lone surrogates in their
// three-byte form, see WideText) and the file system's own bytes on Linux,
// which need not be UTF-8; std::filesystem::path holds the system's native
// form. These convert one into the other without loss on either system.
#include <filesystem>
#include <string>
#include <string_view>

namespace NativePath {

// The path the text names. On Windows, bytes that are no UTF-8 text give the
// empty path, which names no file.
std::filesystem::path FromText(std::string_view text);

// The path as the program's text.
std::string ToText(const std::filesystem::path& path);

}  // namespace NativePath
