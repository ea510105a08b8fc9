#pragma once
// The rules for the values a user enters: the checks of the field table's
// limits with their messages, the rounding of the rollout length, the limits
// of the notes, and how the notes' line breaks are stored. Plain functions
// over text, shared by the window and the command-line tool, so both refuse
// and rewrite alike.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run_file/FieldTable.h"

namespace Stuff {

// "You entered a value that is out of the allowable range (1-65535)." and
// "Please correct this now." on a second line.
std::string RangeMessage(std::string_view lowest, std::string_view highest);

// Whether the text is a number that, rounded half to even to a whole number,
// lies from lowest to highest. Text that is no number is out of range.
bool ValidateLongRange(std::string_view text, int32_t lowest, int32_t highest);
// The same in single precision; a value equal to a limit is in range.
bool ValidateSingleRange(std::string_view text, float lowest, float highest);

// The rollout length rounded half up to one decimal and written "0.0":
// "2.25" gives "2.3", "7" gives "7.0", ".5" gives "0.5". Text that is no
// number, or too large for single precision, comes back unchanged.
std::string NormaliseRolloutLength(std::string_view text);

struct EntryCheck {
    bool accepted = false;
    // The entry as the field keeps it: the rollout length normalised, every
    // other entry exactly as given.
    std::string entry;
    // Why the entry was refused; empty when it was accepted.
    std::string message;
};

// The check of an entry when its field is left, against the field's row of
// the field table: a number within its range (the rollout length rounded
// first), a name of at most its typing limit of characters (the window's
// boxes cannot hold more). RuntimeError 5 for the version field.
EntryCheck CheckEntry(Field field, std::string_view entry);

// Notes as typed, with line breaks written LF or CR LF, in the CR LF form
// the window shows and stores from.
std::string NotesFromTypedText(std::string_view typed);

// Why notes of `storedBytes` bytes cannot be saved into a file whose run-data
// records are `recordLength` bytes long: more than the length byte counts,
// or exactly a record's length, which would read back as one more record and
// lose the notes. Nothing when they can.
std::optional<std::string> NotesRefusal(size_t storedBytes, uint8_t recordLength);

}  // namespace Stuff
