#pragma once
// The program's version information, where it was started from and where its
// shared data lies.
#include <cstdint>
#include <string>

struct AppInfo {
    std::string ProductName;
    int32_t Major = 0;
    int32_t Minor = 0;
    int32_t Revision = 0;
    std::string Comments;
    // The application title; also the name the settings are kept under.
    std::string Title;
    // The folder holding the program file, without a trailing separator.
    std::string Path;
    // The folder holding the program's shared data, such as the version
    // history page, without a trailing separator.
    std::string DataPath;

    // The version information built into the program, with the folder the
    // platform reports for it; the data lies in that same folder until the
    // platform says otherwise.
    static AppInfo ForProgramFolder(std::string programFolder);
};
