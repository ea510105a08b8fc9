#include "support/SystemErrors.h"

namespace SystemErrors {

namespace {

thread_local int32_t lastErrorCode = 0;

}  // namespace

int32_t LastErrorCode() { return lastErrorCode; }

void SetLastErrorCode(int32_t code) { lastErrorCode = code; }

}  // namespace SystemErrors
