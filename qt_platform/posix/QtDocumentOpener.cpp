#include "qt_platform/QtDocumentOpener.h"

#include <QFile>
#include <QFileInfo>
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
    return Launch(LocalFileUrl(full.string()).toEncoded(), std::move(onLateFailure));
}
