#include "qt_platform/QtAppInfo.h"

#include <QCoreApplication>
#include <QFile>

AppInfo QtAppInfo() {
    return AppInfo::ForProgramFolder(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}
