#pragma once
#include <string>

#include "support/DocumentOpener.h"

class QUrl;

// Opens through the desktop's registered programs (QDesktopServices), which
// start the handler with the address as one argument, never through a shell.
class QtDocumentOpener : public DocumentOpener {
public:
    bool OpenUrl(const std::string& url) override;
    bool OpenLocalFile(const std::string& path) override;

    // The file: address of a local path given as the file system's bytes. A
    // name that is not valid UTF-8 keeps its bytes, percent-encoded.
    static QUrl LocalFileUrl(const std::string& path);
};
