#include "qt_platform/QtDocumentOpener.h"

#include "qt_platform/posix/DesktopApplications.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

bool LocalFileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(std::filesystem::path(path), error);
}

// The file: address of a local path given as the file system's bytes. A name
// that is not valid UTF-8 keeps its bytes, percent-encoded.
QUrl LocalFileUrl(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes) {
        return QUrl::fromLocalFile(name);
    }
    // Decoding replaced bytes that are not UTF-8; the desktop would then look
    // for a different file. Percent-encoding carries every byte through.
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

// The file's MIME types, the one the desktop takes it for first, then every
// other its name matches.
QStringList TypesOf(const std::string& path) {
    const QMimeDatabase types;
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    QStringList names{types.mimeTypeForFile(file).name()};
    for (const QMimeType& type : types.mimeTypesForFileName(file))
        if (!names.contains(type.name())) names << type.name();
    return names;
}

bool Launch(const QByteArray& encodedUrl, DocumentOpener::LateFailure onLateFailure) {
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) {
        return false;
    }
    // The launcher may run as long as the program it starts; it is left to
    // end on its own, and only its verdict is waited for, by the event loop.
    auto* process = new QProcess;
    process->setProgram(launcher);
    // Percent-encoded, the address is plain ASCII whatever bytes it names.
    process->setArguments({QString::fromLatin1(encodedUrl)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    auto failure = std::make_shared<DocumentOpener::LateFailure>(std::move(onLateFailure));
    const auto report = [failure] {
        if (*failure) {
            std::exchange(*failure, nullptr)();
        }
    };
    QObject::connect(process, &QProcess::finished, process, [process, report](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) {
            report();
        }
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            report();
            process->deleteLater();
        }
    });
    process->start();
    return true;
}

}  // namespace

bool QtDocumentOpener::OpenUrl(const std::string& url, LateFailure onLateFailure) {
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || address.scheme().isEmpty()) {
        return false;
    }
    // The desktop would report a missing file as opened; refuse it here.
    if (address.isLocalFile() && !QFileInfo::exists(address.toLocalFile())) {
        return false;
    }
    return Launch(address.toEncoded(), std::move(onLateFailure));
}

bool QtDocumentOpener::OpenLocalFile(const std::string& path, LateFailure onLateFailure) {
    if (!LocalFileExists(path)) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) {
        return false;
    }
    // Where this program is the desktop's own choice for the file, the
    // launcher would hand it straight back: another registered application
    // opens it, or nothing does.
    const QString self = QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
    const QStringList types = TypesOf(full.string());
    if (!QGuiApplication::desktopFileName().isEmpty() && DesktopApplications::DefaultFor(types.first()) == self) {
        for (const QString& type : types) {
            for (const QString& other : DesktopApplications::RegisteredFor(type)) {
                if (other != self) return DesktopApplications::Launch(other, QFile::decodeName(QByteArray::fromStdString(full.string())));
            }
        }
        return false;
    }
    return Launch(LocalFileUrl(full.string()).toEncoded(), std::move(onLateFailure));
}
