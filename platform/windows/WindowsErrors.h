#pragma once
// Paths and error codes at the boundary to Windows: UTF-8 paths inside the
// program become the UTF-16 the system takes, and the code GetLastError gives
// becomes a RuntimeError with the BASIC runtime number of its meaning, the
// code kept beside it.
#include <windows.h>
// The program's own functions of these names are not the system's pairs of
// ANSI and UTF-16 calls that these macros choose between.
#undef DeleteFile
#undef FindFirstFile
#undef FindNextFile

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace WindowsErrors {

// The path in UTF-16, or nullopt when it holds a NUL or bytes that are no
// UTF-8 text: such a path names no file.
std::optional<std::wstring> WidePath(std::string_view path);

// The name the system gave, as UTF-8 (lone surrogates kept, see WideText).
std::string Utf8(const wchar_t* name);

// The runtime number for a Windows error code: 53 a missing file, 76 a missing
// folder, 70 a refused access or a file held by another program (a sharing
// or lock violation), 61 a full disk, 57 a device error, 58 an existing
// file, 52 a bad name or handle, 75 everything else.
int32_t RuntimeNumber(DWORD code);

// Throws the RuntimeError of RuntimeNumber, carrying the code.
[[noreturn]] void RaiseRuntimeError(DWORD code);

// True for the codes of a full disk or a used-up quota.
bool IsNoRoom(DWORD code);

// Raises the runtime error of GetLastError's code.
[[noreturn]] void RaiseLastError();

}  // namespace WindowsErrors
