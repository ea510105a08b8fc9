#pragma once
#include "support/DocumentOpener.h"

// Opens through the desktop's registered programs (QDesktopServices), which
// start the handler with the address as one argument, never through a shell.
class QtDocumentOpener : public DocumentOpener {
public:
    bool OpenUrl(const std::string& url) override;
    bool OpenLocalFile(const std::string& path) override;
};
