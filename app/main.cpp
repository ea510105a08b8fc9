// Starts Tachlet: the command line, the Qt application, the platform services
// and the window.
#include <QApplication>
#include <QCommandLineParser>

#include "main_window/frmMain.h"
#include "qt_platform/QtAppInfo.h"
#include "qt_platform/QtDialogs.h"
#include "qt_platform/QtDocumentOpener.h"
#include "qt_platform/QtEvents.h"
#include "qt_platform/QtScreen.h"
#include "qt_platform/QtSettingsStore.h"

namespace {

void DescribeCommandLine(QCommandLineParser& parser) {
    QCoreApplication::setApplicationName(QStringLiteral("Tachlet"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TACHLET_VERSION));
    parser.setApplicationDescription(QStringLiteral("Views, checks and edits the run files of PASS."));
    parser.addHelpOption();
    parser.addVersionOption();
}

// --help and --version answer before the window's application starts, which
// needs a display; both end the program. Qt's own options (-platform ...) are
// not known here, so a line this parser cannot read is left to the window's.
void AnswerWithoutDisplay(int argc, char** argv) {
    const QCoreApplication probe(argc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp();
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
}

}  // namespace

int main(int argc, char** argv) {
    AnswerWithoutDisplay(argc, argv);

    QApplication app(argc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TACHLET_APP_ID));

    QtDialogs dialogs;
    QtSettingsStore settings;
    QtScreen screen;
    QtDocumentOpener documents;
    QtEvents events;
    frmMain window(WindowServices{dialogs, settings, screen, documents, events, QtAppInfo()});
    window.show();
    return QApplication::exec();
}
