#pragma once
// The vehicle notes: N bytes after the notes length byte, lines separated by
// a single CR on disk and by CR LF in the program.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "run_file/ByteSource.h"

namespace Stuff {

// The stored notes bytes after the length byte at the 1-based notesPosition:
// N bytes, or fewer when the file ends before them.
std::vector<uint8_t> ReadStoredNotes(ByteSource& source, uint64_t notesPosition, uint8_t notesLength);

// How a stored LF byte shows in the notes: U+240A, the symbol for line feed.
inline constexpr std::string_view LineFeedSign = "\xE2\x90\x8A";

// Stored bytes as shown: every CR, and every NUL among the stored bytes,
// becomes CR LF; every LF becomes LineFeedSign.
std::string NotesForDisplay(std::span<const uint8_t> stored);

// Shown text as stored: every CR LF becomes CR (CR LF LF too), every
// LineFeedSign an LF, then the text is encoded. RuntimeError 5 names a
// character that cannot be stored. The length is not checked here: the save
// refuses notes too long for the length byte.
std::vector<uint8_t> NotesForStorage(std::string_view shown);

}  // namespace Stuff
