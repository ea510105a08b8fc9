#pragma once
// Texts between the program's UTF-8 strings and Qt, and the notes' line breaks
// between the program's CR LF and the text box's own.
#include <QString>

#include <string>
#include <string_view>

namespace QtText {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

// CR LF (and any lone CR or LF) as the text box's "\n".
QString CrLfToBoxLines(const QString& text);

// The text box's line breaks as CR LF.
QString BoxLinesToCrLf(const QString& text);

}  // namespace QtText
