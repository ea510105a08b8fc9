// Prints the MIME type Qt finds for each file name given, by name alone, with
// its comment and icon name: "NAME TYPE|COMMENT|ICON", one line each. The
// install test points XDG_DATA_DIRS at an installed tree to check its type.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QMimeDatabase db;
    const QStringList names = QCoreApplication::arguments().mid(1);
    for (const QString& name : names) {
        const QMimeType type = db.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        out << name << ' ' << type.name() << '|' << type.comment() << '|' << type.iconName() << '\n';
    }
    return 0;
}
