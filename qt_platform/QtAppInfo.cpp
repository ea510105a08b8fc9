#include "qt_platform/QtAppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

AppInfo QtAppInfo() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    AppInfo info = AppInfo::ForProgramFolder(QFile::encodeName(programFolder).toStdString());
    const QString dataFolder =
        QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(TACHLET_DATA_FROM_PROGRAM));
    info.DataPath = QFile::encodeName(dataFolder).toStdString();
    return info;
}
