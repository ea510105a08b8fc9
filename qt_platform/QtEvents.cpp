#include "qt_platform/QtEvents.h"

#include <QCoreApplication>

void QtEvents::DoEvents() { QCoreApplication::processEvents(); }
