#pragma once
// The number of the RuntimeError a call throws; 0 when it throws none.
#include <cstdint>

#include "base/RuntimeError.h"

template <typename Call>
int32_t ErrorNumberOf(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.Number();
    }
    return 0;
}
