#include "qt_platform/QtDocumentOpener.h"

#include <windows.h>
#include <shellapi.h>

#include <QFileInfo>
#include <QUrl>

#include <filesystem>
#include <system_error>

#include "qt_platform/QtSystem.h"
#include "platform/NativePath.h"
#include "base/WideText.h"

namespace {

// The shell's "open" verb, in its UTF-16 form so that a name outside the ANSI
// code page reaches the program as it is. Above 32 means it started one; 32
// and below are the shell's error codes (no program registered, and so on).
bool ShellOpen(const std::wstring& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::wstring Wide(const std::u16string& units) { return std::wstring(units.begin(), units.end()); }

}  // namespace

// The shell's verdict comes at once, so there is never a late failure.
bool QtDocumentOpener::OpenUrl(const std::string& url, LateFailure) {
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || address.scheme().isEmpty()) {
        return false;
    }
    if (address.isLocalFile()) {
        return OpenLocalFile(QtSystem::PathBytes(address.toLocalFile()), nullptr);
    }
    const auto units = WideText::FromUtf8(url);
    return units && ShellOpen(Wide(*units));
}

bool QtDocumentOpener::OpenLocalFile(const std::string& path, LateFailure) {
    const std::filesystem::path name = NativePath::FromText(path);
    std::error_code error;
    if (name.empty() || !std::filesystem::exists(name, error)) {
        return false;
    }
    std::filesystem::path full = std::filesystem::absolute(name, error);
    return !error && ShellOpen(full.make_preferred().native());
}
