#pragma once
// Hands a web address or a local file to the desktop, which opens it with the
// program registered for it. Both calls return without waiting for that program.
#include <functional>
#include <string>

class DocumentOpener {
public:
    // Called later, on the window's thread, when the desktop's launcher ends
    // with an error after it took the target (no program could open it).
    using LateFailure = std::function<void()>;

    virtual ~DocumentOpener() = default;

    // True when the desktop accepted the address.
    virtual bool OpenUrl(const std::string& url, LateFailure onLateFailure) = 0;

    // True when the desktop accepted the file. The path is the file system's
    // own bytes, passed on as data and never through a command line.
    virtual bool OpenLocalFile(const std::string& path, LateFailure onLateFailure) = 0;
};
