#include "support/General.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "base/RuntimeError.h"

namespace General {

namespace {

bool IsBlank(char c) { return c == ' '; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A numeric text taken apart: the sign, the digits before the point without
// leading zeros (possibly empty) and the digits after it, as written.
struct DecimalParts {
    bool negative = false;
    std::string whole;
    std::string fraction;
    bool hasPoint = false;
};

std::optional<DecimalParts> SplitNumeric(std::string_view text) {
    text = TrimBlanks(text);
    DecimalParts parts;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        parts.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool anyDigit = false;
    for (char c : text) {
        if (c == '.') {
            if (parts.hasPoint) return std::nullopt;
            parts.hasPoint = true;
        } else if (IsDigit(c)) {
            anyDigit = true;
            (parts.hasPoint ? parts.fraction : parts.whole) += c;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    parts.whole.erase(0, std::min(parts.whole.find_first_not_of('0'), parts.whole.size()));
    return parts;
}

bool IsAllZero(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

// The parts as text the float parser reads: no sign, no blanks, no empty side.
std::string UnsignedText(const DecimalParts& parts) {
    std::string text = parts.whole.empty() ? "0" : parts.whole;
    if (!parts.fraction.empty()) text += "." + parts.fraction;
    return text;
}

// Adds one unit of the last place to a decimal digit string (the point, if
// any, is skipped), growing it by a leading '1' when the carry runs out.
void IncrementLastPlace(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '.') continue;
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Joins sign, whole digits and kept fraction; a zero result carries no sign,
// and the whole part always holds at least one digit.
std::string JoinDecimal(bool negative, std::string whole, const std::string& fraction,
                        bool withPoint) {
    if (whole.empty()) whole = "0";
    std::string text = whole;
    if (withPoint) text += "." + fraction;
    bool zero = IsAllZero(whole) && IsAllZero(fraction);
    return (negative && !zero) ? "-" + text : text;
}

// Cuts the fraction after `keep` digits and rounds the magnitude half up on
// the first digit cut off, all on the digit strings.
void CutAndRoundHalfUp(std::string& whole, std::string& fraction, size_t keep) {
    bool roundUp = fraction.size() > keep && fraction[keep] >= '5';
    if (fraction.size() > keep) fraction.resize(keep);
    if (!roundUp) return;
    std::string digits = whole + "." + fraction;
    IncrementLastPlace(digits);
    size_t point = digits.find('.');
    whole = digits.substr(0, point);
    fraction = digits.substr(point + 1);
}

// The number of places the leading digit of an unsigned number (optionally
// with exponent) stands before the point, negative behind it; saturated far
// beyond the range of a double. Only its sign matters to the caller, which
// asks it for numbers that are not zero.
long DecimalOrder(std::string_view number) {
    size_t e = number.find_first_of("eE");
    std::string_view mantissa = number.substr(0, e);
    size_t point = std::min(mantissa.find('.'), mantissa.size());
    size_t firstNonZero = mantissa.find_first_not_of("0.");
    long order = firstNonZero < point ? static_cast<long>(point - firstNonZero)
                                      : -static_cast<long>(firstNonZero - point - 1);
    if (e == std::string_view::npos) return order;
    std::string_view exponent = number.substr(e + 1);
    bool negative = exponent.front() == '-';
    if (exponent.front() == '+' || exponent.front() == '-') exponent.remove_prefix(1);
    long magnitude = 0;
    for (char c : exponent) magnitude = std::min(magnitude * 10 + (c - '0'), 100000L);
    return order + (negative ? -magnitude : magnitude);
}

}  // namespace

bool IsNumericText(std::string_view text) { return SplitNumeric(text).has_value(); }

std::optional<double> ParseNumericText(std::string_view text) {
    auto parts = SplitNumeric(text);
    if (!parts) return std::nullopt;
    std::string unsignedText = UnsignedText(*parts);
    double value = 0.0;
    auto result = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Without an exponent only a whole part can make the value too large;
        // anything else out of range is too small and reads as zero.
        value = parts->whole.empty() ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return parts->negative ? -value : value;
}

int32_t RoundToLong(double value) {
    if (!std::isfinite(value)) RuntimeError::Raise(ErrorNumber::Overflow);
    double floor = std::floor(value);
    double rest = value - floor;  // exact for every double
    double rounded = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded += 1.0;
    if (rounded < -2147483648.0 || rounded > 2147483647.0) RuntimeError::Raise(ErrorNumber::Overflow);
    return static_cast<int32_t>(rounded);
}

int32_t TextToLong(std::string_view text) {
    auto parts = SplitNumeric(text);
    if (!parts) RuntimeError::Raise(ErrorNumber::TypeMismatch);
    // Rounded on the digits themselves, so that a long fraction just below or
    // above a half is never pulled onto the half by a binary conversion.
    if (parts->whole.size() > 10) RuntimeError::Raise(ErrorNumber::Overflow);
    int64_t magnitude = parts->whole.empty() ? 0 : std::stoll(parts->whole);
    const std::string& fraction = parts->fraction;
    if (!fraction.empty()) {
        bool aboveHalf = fraction[0] > '5' ||
                         (fraction[0] == '5' && !IsAllZero(fraction.substr(1)));
        bool exactHalf = fraction[0] == '5' && !aboveHalf;
        if (aboveHalf || (exactHalf && magnitude % 2 != 0)) ++magnitude;
    }
    int64_t value = parts->negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        RuntimeError::Raise(ErrorNumber::Overflow);
    return static_cast<int32_t>(value);
}

float TextToSingle(std::string_view text) {
    auto parts = SplitNumeric(text);
    if (!parts) RuntimeError::Raise(ErrorNumber::TypeMismatch);
    std::string unsignedText = UnsignedText(*parts);
    float value = 0.0f;
    auto result = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range is either too large (a whole part, since no exponent
        // is allowed) or too small, which reads as zero.
        if (!parts->whole.empty()) RuntimeError::Raise(ErrorNumber::Overflow);
        value = 0.0f;
    }
    return parts->negative ? -value : value;
}

double NumericValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return 0.0;
    size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        size_t exponentStart = j;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (j > exponentStart) end = j;
    }
    // The parser takes no '+', so the sign is applied here.
    std::string number(text.substr(start, end - start));
    bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') number.erase(0, 1);
    double value = 0.0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = DecimalOrder(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

std::string SingleToText(float value) {
    if (!std::isfinite(value)) {
        char buffer[16];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    if (value == 0.0f) return "0";
    // Seven significant digits in scientific form, then written out plainly.
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific, 6);
    std::string_view scientific(buffer, static_cast<size_t>(result.ptr - buffer));
    size_t e = scientific.find('e');
    std::string mantissa;
    for (char c : scientific.substr(0, e))
        if (IsDigit(c)) mantissa += c;
    int exponent = 0;
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    std::string whole, fraction;
    int wholeDigits = exponent + 1;
    if (wholeDigits <= 0) {
        whole = "0";
        fraction = std::string(static_cast<size_t>(-wholeDigits), '0') + mantissa;
    } else if (wholeDigits >= static_cast<int>(mantissa.size())) {
        whole = mantissa + std::string(static_cast<size_t>(wholeDigits) - mantissa.size(), '0');
    } else {
        whole = mantissa.substr(0, static_cast<size_t>(wholeDigits));
        fraction = mantissa.substr(static_cast<size_t>(wholeDigits));
    }
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = fraction.empty() ? whole : whole + "." + fraction;
    return value < 0.0f ? "-" + text : text;
}

// Negative values are rounded on their magnitude with the sign kept, so a
// half rounds away from zero on both sides. The result is written with at
// least one digit before the point and without a '+' or blanks; a text that
// is not cut (not numeric, no point, nothing after the point) comes back
// exactly as given.
std::string RoundToDecimals(std::string_view value, int16_t digits) {
    auto parts = SplitNumeric(value);
    if (!parts || !parts->hasPoint || parts->fraction.empty()) return std::string(value);
    std::string whole = parts->whole;
    std::string fraction = parts->fraction;
    if (digits <= 0) return JoinDecimal(parts->negative, whole, "", false);
    CutAndRoundHalfUp(whole, fraction, static_cast<size_t>(digits));
    return JoinDecimal(parts->negative, whole, fraction, true);
}

std::string RoundToDecimals(float value, int16_t digits) {
    return RoundToDecimals(std::string_view(SingleToText(value)), digits);
}

std::string FormatOneDecimal(std::string_view numericText) {
    auto parts = SplitNumeric(numericText);
    if (!parts) return std::string(numericText);
    std::string whole = parts->whole;
    std::string fraction = parts->fraction;
    CutAndRoundHalfUp(whole, fraction, 1);
    if (fraction.empty()) fraction = "0";
    return JoinDecimal(parts->negative, whole, fraction, true);
}

std::optional<std::string> NullTerminate(std::string_view text, bool trim) {
    if (trim) text = TrimBlanks(text);
    if (text.empty()) return std::nullopt;
    std::string prepared(text);
    if (prepared.find('\0') == std::string::npos) prepared += '\0';
    return prepared;
}

}  // namespace General
