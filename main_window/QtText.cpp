#include "main_window/QtText.h"

namespace QtText {

QString CrLfToBoxLines(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

QString BoxLinesToCrLf(const QString& text) {
    QString crlf;
    crlf.reserve(text.size() + text.count(QLatin1Char('\n')));
    for (const QChar c : text) {
        // A paragraph or line separator is how a text document keeps a line
        // break typed into it; each one is a line end of the notes.
        if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            crlf += QLatin1String("\r\n");
        } else {
            crlf += c;
        }
    }
    return crlf;
}

}  // namespace QtText
