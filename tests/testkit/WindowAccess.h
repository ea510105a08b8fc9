#pragma once
// The one way for the window tests and the benchmarks to reach what no
// control of the main window offers: the load and the save run directly, as
// they are asked for when Save cannot be clicked (nothing loaded, a load
// running) and as the benchmarks time them without a click around them.
#include "main_window/frmMain.h"

class WindowAccess {
public:
    static bool LoadRunFile(frmMain& window) { return window.LoadRunFile(); }
    static bool SaveRunFile(frmMain& window) { return window.SaveRunFile(); }
};
