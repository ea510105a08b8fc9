#pragma once
#include "support/AppInfo.h"

// The program's information with the folder of the running executable, in the
// file system's own bytes, and its data folder found from there the way the
// install lays them out (the build tree copies that layout). Needs a
// QCoreApplication.
AppInfo QtAppInfo();
