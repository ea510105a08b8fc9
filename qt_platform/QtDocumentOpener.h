#pragma once
#include <string>

#include "support/DocumentOpener.h"

class QByteArray;
class QUrl;

// Opens through the desktop's launcher (xdg-open), started as a process of its
// own with the address as its one argument, never through a shell. The window
// goes on while the launcher runs; when it ends with an error, or cannot be
// started, the caller's late failure is called.
class QtDocumentOpener : public DocumentOpener {
public:
    bool OpenUrl(const std::string& url, LateFailure onLateFailure) override;
    bool OpenLocalFile(const std::string& path, LateFailure onLateFailure) override;

    // The file: address of a local path given as the file system's bytes. A
    // name that is not valid UTF-8 keeps its bytes, percent-encoded.
    static QUrl LocalFileUrl(const std::string& path);

private:
    static bool Launch(const QByteArray& encodedUrl, LateFailure onLateFailure);
};
