// Starts Tachlet: the Qt application, the platform services and the window.
#include <QApplication>

#include "main_window/frmMain.h"
#include "qt_platform/QtAppInfo.h"
#include "qt_platform/QtDialogs.h"
#include "qt_platform/QtDocumentOpener.h"
#include "qt_platform/QtEvents.h"
#include "qt_platform/QtScreen.h"
#include "qt_platform/QtSettingsStore.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tachlet"));

    QtDialogs dialogs;
    QtSettingsStore settings;
    QtScreen screen;
    QtDocumentOpener documents;
    QtEvents events;
    frmMain window(WindowServices{dialogs, settings, screen, documents, events, QtAppInfo()});
    window.show();
    return QApplication::exec();
}
