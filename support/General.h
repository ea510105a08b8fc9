#pragma once
// Number conversions shared by the fields, the save and the window placement,
// and small helpers for text handed to platform calls.
//
// "Numeric text" here is: optional blanks, an optional sign (+ or -), decimal
// digits with at most one '.', at least one digit, optional blanks. Thousands
// separators, currency signs, exponents and hexadecimal forms are not numeric:
// none of them is a sensible entry in a field of the vehicle data.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace General {

// True when the text is numeric text as defined above.
bool IsNumericText(std::string_view text);

// The value of numeric text; nullopt when the text is not numeric.
std::optional<double> ParseNumericText(std::string_view text);

// Rounds to a 32-bit signed integer, an exact half to the even neighbour.
// Throws RuntimeError 6 "Overflow" when the result lies outside the range.
int32_t RoundToLong(double value);

// Converts text to a 32-bit signed integer as the form runtime does: numeric
// text only (else RuntimeError 13 "Type mismatch"), a fraction rounded half to
// even, out of range gives RuntimeError 6 "Overflow".
int32_t TextToLong(std::string_view text);

// Converts text to single precision: numeric text only (else RuntimeError 13),
// a value beyond single precision's range gives RuntimeError 6 "Overflow".
float TextToSingle(std::string_view text);

// The leading number of a text: leading blanks skipped, an optional sign,
// digits with '.' as decimal point and an optional exponent; reading stops at
// the first character that does not fit. 0 when the text begins with no number.
double NumericValue(std::string_view text);

// A single-precision value as plain decimal text with at most 7 significant
// digits and no exponent: 12.35f gives "12.35", 0.05f gives "0.05", -60 "-60".
std::string SingleToText(float value);

// Rounds half up by cutting the value's decimal text after `digits` places
// (negative digits count as 0). A value that is not numeric, or whose text has
// no digit after its point, is returned unchanged. 12.25 gives "12.3".
std::string RoundToDecimals(std::string_view value, int16_t digits);
std::string RoundToDecimals(float value, int16_t digits);

// Formats numeric text with at least one digit before the point and exactly
// one after it ("0.0"): "7" gives "7.0", ".5" gives "0.5". Text that is not
// numeric is returned unchanged.
std::string FormatOneDecimal(std::string_view numericText);

// Prepares a text for a platform call: trimmed of blanks when `trim` is true;
// nullopt (no buffer at all) when it is then empty; otherwise the text with one
// NUL appended unless it already holds one.
std::optional<std::string> NullTerminate(std::string_view text, bool trim);

}  // namespace General
