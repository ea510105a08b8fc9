#pragma once
// What the fuzz harnesses share: a check that stops the run on the spot (so
// libFuzzer keeps the input as a crash, and the replay program fails).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : FuzzCheck::Fail(#condition, __FILE__, __LINE__))

namespace FuzzCheck {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

using Bytes = std::vector<uint8_t>;

}  // namespace FuzzCheck
