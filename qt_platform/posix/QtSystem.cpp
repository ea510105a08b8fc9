#include "qt_platform/QtSystem.h"

#include <QFile>

namespace QtSystem {

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// ~/.config/Tachlet/Tachlet.ini, which a user can read and edit.
QSettings::Format UserSettingsFormat() { return QSettings::IniFormat; }

}  // namespace QtSystem
