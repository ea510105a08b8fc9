#include "qt_platform/QtDocumentOpener.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace {

bool LocalFileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(std::filesystem::path(path), error);
}

}  // namespace

QUrl QtDocumentOpener::LocalFileUrl(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes) {
        return QUrl::fromLocalFile(name);
    }
    // Decoding replaced bytes that are not UTF-8; the desktop would then look
    // for a different file. Percent-encoding carries every byte through.
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

bool QtDocumentOpener::OpenUrl(const std::string& url) {
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || address.scheme().isEmpty()) {
        return false;
    }
    // The desktop would report a missing file as opened; refuse it here.
    if (address.isLocalFile() && !QFileInfo::exists(address.toLocalFile())) {
        return false;
    }
    return QDesktopServices::openUrl(address);
}

bool QtDocumentOpener::OpenLocalFile(const std::string& path) {
    if (!LocalFileExists(path)) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) {
        return false;
    }
    return QDesktopServices::openUrl(LocalFileUrl(full.string()));
}
