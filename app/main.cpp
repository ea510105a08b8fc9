// Starts Tachlet: the command line, the Qt application, the platform services
// and the window, which then opens the run file named on the command line.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstring>

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
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The run file to open."),
                                 QStringLiteral("[file]"));
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

// The file as its bytes: a name that is not UTF-8 loses them on its way
// through the parser's text. Once the parser has accepted the line (Qt's own
// options are gone from it by then), the only other argument it can hold is
// the "--" that ends the options.
QByteArray FileArgument(const QCommandLineParser& parser, int argc, char** argv) {
    if (parser.positionalArguments().isEmpty()) return {};
    bool endOfOptions = false;
    for (int i = 1; i < argc; ++i) {
        if (!endOfOptions && std::strcmp(argv[i], "--") == 0) {
            endOfOptions = true;
            continue;
        }
        return QByteArray(argv[i]);
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    AnswerWithoutDisplay(argc, argv);

    QApplication app(argc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app);
    if (parser.positionalArguments().size() > 1) {
        std::fputs("tachlet: one run file at a time\n", stderr);
        return 1;
    }
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TACHLET_APP_ID));

    QtDialogs dialogs;
    QtSettingsStore settings;
    QtScreen screen;
    QtDocumentOpener documents;
    QtEvents events;
    frmMain window(WindowServices{dialogs, settings, screen, documents, events, QtAppInfo()});
    window.show();
    // Opened once the event loop runs, so that its messages find the window
    // shown and a close it defers ends the program.
    const QByteArray file = FileArgument(parser, argc, argv);
    if (!file.isEmpty()) QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file); });
    return QApplication::exec();
}
