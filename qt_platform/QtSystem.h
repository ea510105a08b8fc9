#pragma once
// Where Qt meets the system, one side per system (qt_platform/posix,
// qt_platform/windows): the core's paths are the file system's own bytes on
// Linux and UTF-8 on Windows, where Qt's 8-bit file names would be the ANSI
// code page, which cannot spell every name; the per-user settings are an INI
// file on Linux and the registry on Windows.
#include <QSettings>
#include <QString>

#include <string>
#include <string_view>

namespace QtSystem {

// A path of Qt's as the core's path, and back, without loss.
std::string PathBytes(const QString& path);
QString PathText(std::string_view path);

// The format of the per-user settings.
QSettings::Format UserSettingsFormat();

}  // namespace QtSystem
