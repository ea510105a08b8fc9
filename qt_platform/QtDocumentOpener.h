#pragma once
#include <string>

#include "support/DocumentOpener.h"

// Opens through the desktop, never through a command shell: on Linux its
// launcher (xdg-open), started as a process of its own with the address as its
// one argument, which the window does not wait for: when it ends with an error,
// or cannot be started, the caller's late failure is called. A local file
// whose default application is this program itself (the application's desktop
// file name) goes to another application registered for its type, started by
// its desktop file; with none, it is refused. On Windows the shell's "open"
// (ShellExecuteW), which gives its verdict at once.
class QtDocumentOpener : public DocumentOpener {
public:
    bool OpenUrl(const std::string& url, LateFailure onLateFailure) override;
    bool OpenLocalFile(const std::string& path, LateFailure onLateFailure) override;
};
