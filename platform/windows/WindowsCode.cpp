#include "platform/WindowsCode.h"

namespace WindowsCode {

// The system's own code already is one; a failure no system call reported
// has none closer than a general failure.
int32_t Of(const RuntimeError& failure) {
    return failure.SystemCode() != 0 ? failure.SystemCode() : SystemErrorCode::GeneralFailure;
}

}  // namespace WindowsCode
