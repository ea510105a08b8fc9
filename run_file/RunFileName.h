#pragma once
// The name a user types for a run file being renamed: what is refused, and
// the extension PASS looks for, added when it is missing.
#include <string>
#include <string_view>

namespace Stuff {

struct NewName {
    // The name to give the file; empty when the answer was blank (a cancel)
    // or refused.
    std::string name;
    // Why the answer cannot be used; empty when it can.
    std::string refusal;
};

// The answer of the rename box (UTF-8), blanks around it removed. A separator
// would move the file into another folder, the other characters the system
// forbids in names (Files::ForbiddenNameCharacters) would fail the rename, a
// control character makes a name nobody can type again, and a leading "."
// hides the file from every list ("." and ".." among them): each is refused. A name not ending in ".GTP" in any case
// gets ".gtp".
NewName CheckNewName(std::string_view answer);

}  // namespace Stuff
