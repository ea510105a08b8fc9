#include "support/ErrObject.h"

#include <utility>

void ErrObject::Clear() {
    number_ = 0;
    description_.clear();
    extendedInfo_.clear();
}

void ErrObject::SetError(int32_t lngNewNumber, std::string strNewDescription, std::string strNewExtendedInfo) {
    number_ = lngNewNumber;
    description_ = std::move(strNewDescription);
    extendedInfo_ = std::move(strNewExtendedInfo);
}
