#include "run_file/Notes.h"

#include "run_file/Conversions.h"
#include "run_file/Windows1252.h"
#include "support/RuntimeError.h"

namespace Stuff {

std::vector<uint8_t> ReadStoredNotes(ByteSource& source, uint64_t notesPosition, uint8_t notesLength) {
    // Bytes the file lacks are left out rather than made up: made-up NULs
    // would show as line breaks and be saved back as real ones.
    return ReadBytesAt(source, notesPosition + 1, notesLength);
}

std::string NotesForDisplay(std::span<const uint8_t> stored) {
    const std::string text = ReplaceAll(DecodeWindows1252(stored), "\r", std::string_view("\0", 1));
    return ReplaceAll(text, std::string_view("\0", 1), "\r\n");
}

std::vector<uint8_t> NotesForStorage(std::string_view shown) {
    Windows1252Bytes encoded = EncodeWindows1252(ReplaceAll(shown, "\r\n", "\r"));
    if (!encoded.Ok()) {
        throw RuntimeError(5, "The notes hold the character \"" + encoded.unstorable +
                                  "\", which a run file cannot store");
    }
    return std::move(encoded.bytes);
}

}  // namespace Stuff
