#include "run_file/Notes.h"

#include "base/RuntimeError.h"
#include "run_file/Conversions.h"
#include "run_file/Windows1252.h"

namespace Stuff {

std::vector<uint8_t> ReadStoredNotes(ByteSource& source, uint64_t notesPosition, uint8_t notesLength) {
    // Bytes the file lacks are left out rather than made up: made-up NULs
    // would show as line breaks and be saved back as real ones.
    return ReadBytesAt(source, notesPosition + 1, notesLength);
}

std::string NotesForDisplay(std::span<const uint8_t> stored) {
    // A stored LF is no line break: it shows as its own sign and goes back as
    // an LF, so notes holding one survive a load and a save unchanged.
    std::string text = ReplaceAll(DecodeWindows1252(stored), "\n", LineFeedSign);
    text = ReplaceAll(text, "\r", std::string_view("\0", 1));
    return ReplaceAll(text, std::string_view("\0", 1), "\r\n");
}

std::vector<uint8_t> NotesForStorage(std::string_view shown) {
    const std::string stored = ReplaceAll(ReplaceAll(shown, "\r\n", "\r"), LineFeedSign, "\n");
    Windows1252Bytes encoded = EncodeWindows1252(stored);
    if (!encoded.Ok()) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "The notes hold the character \"" +
                                                                  encoded.unstorable + "\", which a run file cannot store");
    }
    return std::move(encoded.bytes);
}

}  // namespace Stuff
