#pragma once
// Hands a web address or a local file to the desktop, which opens it with the
// program registered for it. Both calls return without waiting for that program.
#include <string>

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;

    // True when the desktop accepted the address.
    virtual bool OpenUrl(const std::string& url) = 0;

    // True when the desktop accepted the file. The path is the file system's
    // own bytes, passed on as data and never through a command line.
    virtual bool OpenLocalFile(const std::string& path) = 0;
};
