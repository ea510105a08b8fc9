#include "support/QtEvents.h"

#include <QCoreApplication>

void QtEvents::DoEvents() { QCoreApplication::processEvents(); }
