#pragma once
// Texts between the program's UTF-8 strings and Qt, paths between the bytes
// the core takes and the text the lists show, and the notes' line breaks
// between the program's CR LF and the text box's own.
#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

namespace QtText {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

// A path as the core takes it, and back. The core's paths are UTF-8 on
// Windows and the file system's own bytes on Linux, which Qt reads as UTF-8
// too (QFile::encodeName would give Windows' ANSI code page). Bytes that are
// no UTF-8 show as replacement characters, so a path that must reach the file
// it names is kept as its bytes, never as its text.
inline QByteArray PathBytes(const QString& path) { return path.toUtf8(); }
inline QString PathText(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

// CR LF (and any lone CR or LF) as the text box's "\n".
QString CrLfToBoxLines(const QString& text);

// The text box's line breaks as CR LF.
QString BoxLinesToCrLf(const QString& text);

}  // namespace QtText
