#pragma once
// An error record: a number, its description and free extended information.
#include <cstdint>
#include <string>
#include <utility>

class ErrObject {
public:
    ErrObject() { Clear(); }

    void Clear();
    void SetError(int32_t lngNewNumber, std::string strNewDescription, std::string strNewExtendedInfo = {});

    const std::string& ExtendedInfo() const { return extendedInfo_; }
    const std::string& Description() const { return description_; }
    int32_t Number() const { return number_; }

private:
    int32_t number_ = 0;
    std::string description_;
    std::string extendedInfo_;
};
