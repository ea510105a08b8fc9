#pragma once
#include "support/AppInfo.h"

// The program's information with the folder of the running executable, in the
// file system's own bytes. Needs a QCoreApplication.
AppInfo QtAppInfo();
