#pragma once
// The applications a freedesktop.org desktop opens files with: which one is
// the default for a MIME type and which others are registered for it, found
// as the desktops find them (the mimeapps.list files of the user, the system
// and the data folders, then the MimeType lines of the installed desktop
// files), and starting one of them on a file by its Exec line. The desktop's
// own launcher cannot be asked for anything but its default.
#include <QString>
#include <QStringList>

namespace DesktopApplications {

// The desktop file id ("org.example.App.desktop") the desktop opens files of
// the type with; empty when none is registered.
QString DefaultFor(const QString& mimeType);

// Every installed application registered for the type, in the desktop's
// order of preference, the default first.
QStringList RegisteredFor(const QString& mimeType);

// Starts the application on the local file, as its Exec line says, without
// waiting for it; false when it is not installed or cannot be started.
bool Launch(const QString& desktopId, const QString& path);

}  // namespace DesktopApplications
