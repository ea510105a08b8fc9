#include "qt_platform/posix/DesktopApplications.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTextStream>
#include <QUrl>

namespace DesktopApplications {

namespace {

using Groups = QHash<QString, QHash<QString, QString>>;

// The groups and keys of a desktop or mimeapps.list file; comments and
// translated keys left out.
Groups ReadKeyFile(const QString& file) {
    Groups groups;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) return groups;
    QTextStream lines(&in);
    QString group;
    while (!lines.atEnd()) {
        const QString line = lines.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals <= 0) continue;
        const QString key = line.left(equals).trimmed();
        if (!groups[group].contains(key)) groups[group][key] = line.mid(equals + 1).trimmed();
    }
    return groups;
}

QStringList Entries(const QString& list) {
    return list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

QString Variable(const char* name, const QString& otherwise) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? otherwise : value;
}

QStringList DataFolders() {
    return QStringList{Variable("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"))} +
           Variable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

// The mimeapps.list files, the most preferred first: the user's
// configuration, the system's, then the data folders', each desktop's own
// before the common one.
QStringList ListFiles() {
    QStringList desktops;
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        desktops << desktop.toLower() + QStringLiteral("-mimeapps.list");
    desktops << QStringLiteral("mimeapps.list");
    QStringList folders{Variable("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"))};
    folders += Variable("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& data : DataFolders()) folders << data + QStringLiteral("/applications");
    QStringList files;
    for (const QString& folder : folders)
        for (const QString& name : desktops) files << folder + QLatin1Char('/') + name;
    return files;
}

// The desktop files by their ids (their paths below applications/, with "-"
// for "/"), the first data folder's where two have the same id.
QHash<QString, QString> InstalledApplications() {
    QHash<QString, QString> files;
    for (const QString& data : DataFolders()) {
        const QString root = data + QStringLiteral("/applications/");
        QDirIterator found(root, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (found.hasNext()) {
            const QString file = found.next();
            const QString id = file.mid(root.size()).replace(QLatin1Char('/'), QLatin1Char('-'));
            if (!files.contains(id)) files.insert(id, file);
        }
    }
    return files;
}

QHash<QString, QString> EntryOf(const QString& file) {
    return ReadKeyFile(file).value(QStringLiteral("Desktop Entry"));
}

bool Usable(const QHash<QString, QString>& entry) {
    return entry.value(QStringLiteral("Type")) == QLatin1String("Application") &&
           entry.value(QStringLiteral("Hidden")) != QLatin1String("true") && !entry.value(QStringLiteral("Exec")).isEmpty();
}

struct Associations {
    QStringList defaults;
    QStringList preferred;  // added by the lists, then declared by the applications
};

Associations AssociationsOf(const QString& mimeType) {
    const QHash<QString, QString> installed = InstalledApplications();
    Associations found;
    QStringList removed;
    for (const QString& file : ListFiles()) {
        const Groups list = ReadKeyFile(file);
        found.defaults += Entries(list.value(QStringLiteral("Default Applications")).value(mimeType));
        // A removal holds for the lists after it too.
        removed += Entries(list.value(QStringLiteral("Removed Associations")).value(mimeType));
        for (const QString& id : Entries(list.value(QStringLiteral("Added Associations")).value(mimeType)))
            if (!removed.contains(id)) found.preferred << id;
    }
    for (auto application = installed.cbegin(); application != installed.cend(); ++application) {
        const QHash<QString, QString> entry = EntryOf(application.value());
        if (Entries(entry.value(QStringLiteral("MimeType"))).contains(mimeType) && !removed.contains(application.key()))
            found.preferred << application.key();
    }
    const auto keep = [&installed](QStringList ids) {
        QStringList kept;
        for (const QString& id : ids)
            if (!kept.contains(id) && installed.contains(id) && Usable(EntryOf(installed.value(id)))) kept << id;
        return kept;
    };
    return {keep(found.defaults), keep(found.preferred)};
}

// A desktop file's string with its escapes (\s, \n, \t, \r, \\) undone; the
// Exec line's own quoting comes after.
QString Unescaped(const QString& value) {
    QString plain;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        const QChar code = value[++i];
        plain += code == QLatin1Char('s')   ? QChar(QLatin1Char(' '))
                 : code == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                 : code == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                 : code == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                            : code;
    }
    return plain;
}

// Within double quotes a backslash keeps ", `, $ and \ as they are.
QStringList SplitExec(const QString& exec) {
    QStringList arguments;
    QString current;
    bool inArgument = false, quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted && c == QLatin1Char('\\') && i + 1 < exec.size()) {
            current += exec[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && c.isSpace()) {
            if (inArgument) arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments << current;
    return arguments;
}

}  // namespace

QString DefaultFor(const QString& mimeType) {
    const Associations found = AssociationsOf(mimeType);
    if (!found.defaults.isEmpty()) return found.defaults.first();
    return found.preferred.value(0);
}

QStringList RegisteredFor(const QString& mimeType) {
    const Associations found = AssociationsOf(mimeType);
    QStringList all = found.defaults;
    for (const QString& id : found.preferred)
        if (!all.contains(id)) all << id;
    return all;
}

namespace {

// The Exec line's arguments with its field codes filled for the file.
QStringList ExecArguments(const QString& exec, const QString& path) {
    QStringList arguments;
    bool fileGiven = false;
    for (const QString& argument : SplitExec(exec)) {
        QString filled;
        bool dropped = false;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] != QLatin1Char('%') || i + 1 == argument.size()) {
                filled += argument[i];
                continue;
            }
            const QChar code = argument[++i];
            if (code == QLatin1Char('f') || code == QLatin1Char('F')) {
                filled += path;
                fileGiven = true;
            } else if (code == QLatin1Char('u') || code == QLatin1Char('U')) {
                filled += QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
                fileGiven = true;
            } else if (code == QLatin1Char('%')) {
                filled += code;
            } else if (argument.size() == 2) {
                // %i, %c, %k and the deprecated codes: an argument of its own goes.
                dropped = true;
            }
        }
        if (!dropped) arguments << filled;
    }
    // An application that names no file in its line still gets it.
    if (!fileGiven && !arguments.isEmpty()) arguments << path;
    return arguments;
}

}  // namespace

bool Launch(const QString& desktopId, const QString& path) {
    const QString file = InstalledApplications().value(desktopId);
    if (file.isEmpty()) return false;
    QStringList arguments = ExecArguments(Unescaped(EntryOf(file).value(QStringLiteral("Exec"))), path);
    if (arguments.isEmpty()) return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments, QDir::homePath());
}

}  // namespace DesktopApplications
