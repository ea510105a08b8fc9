#pragma once
// The options the Qt application takes from the command line for itself
// (-platform NAME, -style NAME, -reverse, ...), one dash or two. The program's
// own options are read without them before the application starts, so a line
// this program cannot read is answered without a display.
#include <QStringList>

namespace QtOwnOptions {

// The arguments less Qt's own options and the values that follow them.
QStringList Without(const QStringList& arguments);

}  // namespace QtOwnOptions
