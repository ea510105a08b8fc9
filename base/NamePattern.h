#pragma once
// The wildcard names a search or a file list is given: `*` stands for any run
// of bytes and `?` for one byte, ASCII letters compared without regard to
// case, so "*.gtp" finds RUN.GTP. "*.*" matches every name, also one without
// a dot, as it does in the searches of the system the run files come from.
#include <string_view>

namespace NamePattern {

bool Matches(std::string_view pattern, std::string_view name);

}  // namespace NamePattern
