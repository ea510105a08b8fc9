#pragma once
// Where the window's links lead.
namespace Links {

// The program's home page.
inline constexpr const char* HomePage = "https://tachlet.example.org/";

// The web site of Tesla Electronics, the maker of the GTech meter and of PASS.
inline constexpr const char* MakerSite = "https://tesla-electronics.example.org/";

// The version history, a page shipped in the program's data folder.
inline constexpr const char* VersionHistoryFile = "version_history.html";

}  // namespace Links
