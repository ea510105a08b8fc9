#pragma once
// The Windows system error code of a failure, for the file helpers whose
// callers read their failures in those codes (Files::FindEntry, RemoveFile,
// through the shared error record), and for tachlet-cli's telling a file in
// use from one it may not open. Everything else reads the runtime number. On
// Windows it is the system's own code; on Linux the code of the same meaning
// as the errno ("file not found" 2, or "path not found" 3 when the failure's
// number says a folder on the way is missing; "access denied" 5 for a
// refusal or a folder where a file was meant; 32 "sharing violation" for
// another open's lock; 31 "general failure" for what has no closer code).
#include <cstdint>

#include "base/RuntimeError.h"

namespace WindowsCode {

int32_t Of(const RuntimeError& failure);

}  // namespace WindowsCode
