#pragma once
// The directory search of the system: one matching entry per call, with the
// entry's data laid out as the file helpers read it. One implementation per
// system. A search is an object that ends the system's search when it goes;
// failures throw RuntimeError carrying the system's code.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace DirectorySearch {

// Attribute bits of an entry.
inline constexpr uint32_t AttributeReadOnly = 1;  // it may not be written
inline constexpr uint32_t AttributeHidden = 2;    // on Linux: its name begins with "." (not "." or "..")
inline constexpr uint32_t AttributeDirectory = 16;

// Room for a name of 259 UTF-16 units written as UTF-8, and its NUL.
inline constexpr size_t NameBytes = 3 * 259 + 1;
inline constexpr size_t ShortNameBytes = 3 * 13 + 1;

// One entry as the search reports it. The names are UTF-8 (on Linux the
// name's bytes), NUL-terminated and padded with NULs. The alternate short
// (8.3) name is empty when the file system gives the entry none, as Linux
// file systems never do.
struct FindData {
    uint32_t dwFileAttributes = 0;
    uint32_t nFileSizeLow = 0;  // the low 32 bits of the size; 0 for a folder
    std::array<char, NameBytes> cFileName{};
    std::array<char, ShortNameBytes> cAlternateFileName{};
};

class Search {
public:
    // Starts a search for `path`: a folder, the separator and a last
    // component that may hold `*` and `?`, matched without regard to case (on
    // Linux as NamePattern does; on Windows the system matches, short names
    // included). A last component without wildcards finds the entry of that
    // name in any case. "." and ".." are reported when the pattern matches
    // them. Puts the first match in `first`. Throws when there is none: 53
    // "File not found" when nothing matches (a path ending in the separator,
    // a root among them, has an empty last component and matches nothing),
    // 76 when the folder is missing, 70 when it may not be read.
    Search(std::string_view path, FindData& first);
    ~Search();
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    // The next match in `data`; false when none is left. Throws when the
    // folder cannot be read on.
    bool Next(FindData& data);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace DirectorySearch
