// Starts Tachlet: the command line, the Qt application, the platform services
// and the window, which then opens the run file named on the command line.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/QtOwnOptions.h"
#include "main_window/frmMain.h"
#include "qt_platform/QtAppInfo.h"
#include "qt_platform/QtDialogs.h"
#include "qt_platform/QtDocumentOpener.h"
#include "qt_platform/QtEvents.h"
#include "qt_platform/QtScreen.h"
#include "qt_platform/QtSettingsStore.h"
#include "platform/CommandLine.h"

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

// Usage to standard error and exit status 1.
[[noreturn]] void Refuse(const QCommandLineParser& parser, const QString& why) {
    std::fprintf(stderr, "tachlet: %s\n\n%s", qPrintable(why), qPrintable(parser.helpText()));
    std::exit(1);
}

// --help, --version and a line this program cannot read are answered before
// the window's application starts, which needs a display; each ends the
// program. Qt's own options (-platform NAME, ...) are left to the window's.
void AnswerWithoutDisplay(int argc, char** argv) {
    const QCoreApplication probe(argc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    if (!parser.parse(QtOwnOptions::Without(QCoreApplication::arguments()))) Refuse(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp();
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    if (parser.positionalArguments().size() > 1) Refuse(parser, QStringLiteral("one run file at a time"));
}

// The file as the core's path. The parser's text has lost what the system's
// own arguments keep: on Linux the bytes of a name that is not UTF-8, on
// Windows the UTF-16 of a name outside the ANSI code page (main's argv is in
// that code page). The argument that reads as the parser's file is taken.
std::string FileArgument(const QCommandLineParser& parser, const std::vector<std::string>& arguments) {
    if (parser.positionalArguments().isEmpty()) return {};
    const QString file = parser.positionalArguments().first();
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (QString::fromUtf8(arguments[i].data(), static_cast<qsizetype>(arguments[i].size())) == file)
            return arguments[i];
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    // Taken before the application removes its own options from argv.
    const std::vector<std::string> arguments = CommandLine::Arguments(argc, argv);
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
    // Opened once the event loop runs, so that its messages find the window
    // shown and a close it defers ends the program.
    const QByteArray file = QByteArray::fromStdString(FileArgument(parser, arguments));
    if (!file.isEmpty()) QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file); });
    return QApplication::exec();
}
