#pragma once
// What the fuzz harnesses share: a check that stops the run on the spot (so
// libFuzzer keeps the input as a crash, and the replay program fails), and
// what a saved name reads back as.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "run_file/Stuff.h"

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : FuzzCheck::Fail(#condition, __FILE__, __LINE__))

namespace FuzzCheck {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

using Bytes = std::vector<uint8_t>;

// A name as it reads back once saved: as it was, unless it leaves no room for
// the 0xFF fill, when the field ends in its NUL, or in the text itself, and
// the trailing spaces go.
inline std::string NameAfterSave(const std::string& name, const Stuff::FieldSpec& field) {
    if (Stuff::EncodeWindows1252(name).bytes.size() + 1 < field.width) return name;
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

}  // namespace FuzzCheck
