#include "qt_platform/QtAppInfo.h"

#include <QCoreApplication>
#include <QDir>

#include "qt_platform/QtSystem.h"

AppInfo QtAppInfo() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    AppInfo info = AppInfo::ForProgramFolder(QtSystem::PathBytes(QDir::toNativeSeparators(programFolder)));
    const QString dataFolder =
        QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(TACHLET_DATA_FROM_PROGRAM));
    info.DataPath = QtSystem::PathBytes(QDir::toNativeSeparators(dataFolder));
    return info;
}
