#pragma once
#include "support/AppInfo.h"

// The program's information with the folder of the running executable, as the
// core's path with the system's separators, and its data folder found from
// there the way the install lays them out (the build tree copies that
// layout): beside the program on Windows. Needs a QCoreApplication.
AppInfo QtAppInfo();
