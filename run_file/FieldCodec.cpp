#include "run_file/FieldCodec.h"

#include <algorithm>

#include "base/RuntimeError.h"
#include "run_file/Conversions.h"
#include "run_file/Windows1252.h"
#include "support/General.h"

namespace Stuff {

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Re-raises a failed number conversion with the field and the entry in it.
[[noreturn]] void RaiseNumberError(const RuntimeError& error, std::string_view text, const FieldSpec& field,
                                   std::string_view range) {
    if (error.Number() == ErrorNumber::TypeMismatch) {
        throw RuntimeError(error.Number(), "Type mismatch: the " + std::string(field.name) + " " + Quoted(text) +
                                               " is not a number");
    }
    throw RuntimeError(ErrorNumber::Overflow, "Overflow: the " + std::string(field.name) + " " + Quoted(text) +
                                                   " does not fit its field (" + std::string(range) + ")");
}

void RaiseOutOfRange(std::string_view text, const FieldSpec& field, std::string_view range) {
    RaiseNumberError(RuntimeError(ErrorNumber::Overflow, "Overflow"), text, field, range);
}

}  // namespace

std::vector<uint8_t> ReadField(ByteSource& source, const FieldSpec& field) {
    return ReadExactlyAt(source, field.position, field.width);
}

std::string DecodeTextField(std::span<const uint8_t> bytes) {
    // The 0xFF fill after the terminating NUL is never text, and the name ends
    // at that NUL. Blanks and NULs are trimmed only at the ends of the whole
    // field: a name's own trailing blanks, kept in by its NUL and fill, stay.
    size_t end = bytes.size();
    while (end > 0 && bytes[end - 1] == 0xFF) --end;
    const bool filled = end > 0 && end < bytes.size() && bytes[end - 1] == 0x00;
    const auto trimmable = [](uint8_t byte) { return byte == 0x00 || byte == ' '; };
    size_t first = 0;
    size_t last = filled ? end : bytes.size();
    while (first < last && trimmable(bytes[first])) ++first;
    if (!filled) {
        while (last > first && trimmable(bytes[last - 1])) --last;
    }
    std::span<const uint8_t> text = bytes.subspan(first, last - first);
    text = text.first(static_cast<size_t>(std::find(text.begin(), text.end(), 0x00) - text.begin()));
    return DecodeWindows1252(text);
}

std::vector<uint8_t> EncodeTextField(std::string_view text, const FieldSpec& field) {
    Windows1252Bytes encoded = EncodeWindows1252(text);
    if (!encoded.Ok()) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "The " + std::string(field.name) + " holds the character " +
                                                Quoted(encoded.unstorable) + ", which a run file cannot store");
    }
    std::vector<uint8_t> bytes = std::move(encoded.bytes);
    bytes.push_back(0x00);
    bytes.resize(std::max<size_t>(bytes.size(), field.width), 0xFF);
    bytes.resize(field.width);
    return bytes;
}

std::string DecodeTenths(uint8_t byte) {
    return std::to_string(byte / 10) + "." + std::to_string(byte % 10);
}

uint8_t EncodeTenths(std::string_view text, const FieldSpec& field) {
    constexpr std::string_view Range = "0.0 to 25.5";
    int32_t tenths = 0;
    try {
        const float value = General::TextToSingle(text);
        const float scaled = value * 10.0f;  // single precision, as the field was always written
        tenths = General::RoundToLong(scaled);
    } catch (const RuntimeError& error) {
        RaiseNumberError(error, text, field, Range);
    }
    if (tenths < 0 || tenths > 255) RaiseOutOfRange(text, field, Range);
    return static_cast<uint8_t>(tenths);
}

std::string DecodeTwoByte(std::span<const uint8_t> bytes) { return std::to_string(BytesToNumber(bytes)); }

std::vector<uint8_t> EncodeTwoByte(std::string_view text, const FieldSpec& field) {
    constexpr std::string_view Range = "0 to 65535";
    int32_t value = 0;
    try {
        value = General::TextToLong(text);
    } catch (const RuntimeError& error) {
        RaiseNumberError(error, text, field, Range);
    }
    if (value < 0 || value > 0xFFFF) RaiseOutOfRange(text, field, Range);
    return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
}

std::string DecodeField(std::span<const uint8_t> bytes, const FieldSpec& field) {
    switch (field.encoding) {
    case FieldEncoding::Text: return DecodeTextField(bytes);
    case FieldEncoding::Tenths: return DecodeTenths(bytes.front());
    case FieldEncoding::TwoByte: return DecodeTwoByte(bytes);
    case FieldEncoding::VersionText: break;
    }
    RuntimeError::Raise(ErrorNumber::InvalidProcedureCall);
}

std::vector<uint8_t> EncodeField(std::string_view text, const FieldSpec& field) {
    switch (field.encoding) {
    case FieldEncoding::Text: return EncodeTextField(text, field);
    case FieldEncoding::Tenths: return {EncodeTenths(text, field)};
    case FieldEncoding::TwoByte: return EncodeTwoByte(text, field);
    case FieldEncoding::VersionText: break;
    }
    RuntimeError::Raise(ErrorNumber::InvalidProcedureCall);
}

std::string StoredText(std::string_view text, const FieldSpec& field) {
    const std::vector<uint8_t> bytes = EncodeField(text, field);
    if (field.encoding != FieldEncoding::Text) return DecodeField(bytes, field);
    // Up to its NUL; the leading blanks that a load trims are written all the same.
    return DecodeWindows1252(std::span(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0x00)));
}

}  // namespace Stuff
