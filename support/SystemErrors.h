#pragma once
// The calling thread's last error code, as Windows keeps one: a Windows system
// error code (see SystemErrorCode), set by the directory search and the
// deletion when they fail and read right after by the file helpers. On
// Windows it is the code GetLastError gave for the failed call; on Linux the
// code of the same meaning as the errno.
#include <cstdint>

#include "support/ErrorNumbers.h"

namespace SystemErrors {

// Only failures set it; successful calls leave it alone, so the code of a
// failure survives the successful calls a caller makes before it reads it.
int32_t LastErrorCode();
void SetLastErrorCode(int32_t code);

}  // namespace SystemErrors
