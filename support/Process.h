#pragma once
// Opens a document, a local page or a web address with the program the desktop
// has registered for it.
#include <cstdint>
#include <string_view>

#include "support/DocumentOpener.h"

namespace Process {

// What OpenDocument gives when the desktop took the target; callers test only
// for 0.
inline constexpr int32_t Opened = 33;

// target: a web address ("https://...", "mailto:..."), or a file path, which
// callers may wrap in one pair of double quotes. A quoted target is always a
// file path. A file that does not exist is refused without asking the desktop.
// Returns Opened (above 32) when the desktop accepted the target, else 0. A
// launcher that accepted the target and fails later calls onLateFailure.
int32_t OpenDocument(std::string_view target, DocumentOpener& opener,
                     DocumentOpener::LateFailure onLateFailure = nullptr);

// True when the text starts with a URL scheme of two or more characters and a
// colon ("http:", "mailto:"); a drive letter such as "C:" is not a scheme.
bool HasUrlScheme(std::string_view target);

}  // namespace Process
