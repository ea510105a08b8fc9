#pragma once
// The fixed fields between their bytes in the file and the texts the window
// shows and edits. Encoding checks every value against its field and throws
// RuntimeError with a message that names the field: 13 for a text that is not
// a number, 6 for a value outside the field, 5 for a character the file's
// character set lacks.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "run_file/ByteSource.h"
#include "run_file/RunFileLayout.h"

namespace Stuff {

// The field's bytes; RuntimeError 62 "Input past end of file" when the file
// ends inside the field (such a file is cut short and no run file to edit).
std::vector<uint8_t> ReadField(ByteSource& source, const FieldSpec& field);

// Text field: the 0xFF fill after the last NUL dropped, NULs and spaces trimmed
// from both ends, then the text before the first NUL that is left.
std::string DecodeTextField(std::span<const uint8_t> bytes);
// The text, one NUL, then 0xFF up to the width; cut to the width (then with no
// NUL) when the text fills it.
std::vector<uint8_t> EncodeTextField(std::string_view text, const FieldSpec& field);

// Tenths field: the byte / 10 with exactly one decimal ("0.0", "2.5", "25.5").
std::string DecodeTenths(uint8_t byte);
// The text's single-precision value times 10, rounded half to even; 0 to 255.
uint8_t EncodeTenths(std::string_view text, const FieldSpec& field);

// Two-byte field: 256 * first + second as plain digits.
std::string DecodeTwoByte(std::span<const uint8_t> bytes);
// The text as a whole number (a fraction rounded half to even); 0 to 65535.
std::vector<uint8_t> EncodeTwoByte(std::string_view text, const FieldSpec& field);

// Any editable field by its encoding: its bytes as text, and a text as the
// bytes it stores. RuntimeError 5 for the version field, which is never written.
std::string DecodeField(std::span<const uint8_t> bytes, const FieldSpec& field);
std::vector<uint8_t> EncodeField(std::string_view text, const FieldSpec& field);

// The value's text as the field holds it once stored, for a report of what a
// save writes: a number rounded as its encoding rounds it ("3100.5" gives
// "3100", "1.25" in a tenths field "1.2"), a text with the characters its
// bytes hold. Throws as the field's encoding does.
std::string StoredText(std::string_view text, const FieldSpec& field);

}  // namespace Stuff
