// Starts Tachlet: the Qt application, the platform services and the window.
#include <QApplication>

#include "main_window/frmMain.h"
#include "support/QtAppInfo.h"
#include "support/QtDialogs.h"
#include "support/QtDocumentOpener.h"
#include "support/QtEvents.h"
#include "support/QtScreen.h"
#include "support/QtSettingsStore.h"

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
