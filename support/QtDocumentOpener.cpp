#include "support/QtDocumentOpener.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

bool QtDocumentOpener::OpenUrl(const std::string& url) {
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid()) {
        return false;
    }
    // The desktop would report a missing file as opened; refuse it here.
    if (address.isLocalFile() && !QFileInfo::exists(address.toLocalFile())) {
        return false;
    }
    return QDesktopServices::openUrl(address);
}

bool QtDocumentOpener::OpenLocalFile(const std::string& path) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (name.isEmpty() || !QFileInfo::exists(name)) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(name));
}
