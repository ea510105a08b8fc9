#include "app/QtOwnOptions.h"

#include <algorithm>
#include <iterator>

namespace {

// Those of the application, its platform plugins (X11's among them) and its
// widgets that take a value as the next argument, or after "=".
const char* const WithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                 "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "session", "display",
                                 "name", "visual", "style", "stylesheet", "qmljsdebugger"};
const char* const Alone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

bool Names(const char* const* begin, const char* const* end, const QString& name) {
    return std::any_of(begin, end, [&name](const char* option) { return name == QLatin1String(option); });
}

}  // namespace

QStringList QtOwnOptions::Without(const QStringList& arguments) {
    // The program's name comes first. Qt takes its options wherever they
    // stand, after "--" too.
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1Char('-'))) {
            kept << argument;
            continue;
        }
        const QString option = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? option : option.left(equals);
        if (Names(std::begin(WithValue), std::end(WithValue), name)) {
            if (equals < 0) ++i;  // its value is the next argument
            continue;
        }
        if (equals < 0 && Names(std::begin(Alone), std::end(Alone), name)) {
            continue;
        }
        kept << argument;
    }
    return kept;
}
