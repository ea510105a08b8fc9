#pragma once
// Remembers where a window was and puts it back there at the next start.
// Section "WindowPosition" holds name + "_Left" and "_Top" for every window and
// name + "_Width" and "_Height" for windows the user can resize.
#include "support/PlacedWindow.h"
#include "support/Screen.h"
#include "support/SettingsStore.h"

namespace Formz {

inline constexpr const char* PositionSection = "WindowPosition";

// Moves the window to its stored position, or centres it in the work area when
// no usable position is stored; then applies a stored size to a resizable window.
// True when it centred the window.
bool RestoreWindowPosition(PlacedWindow& window, const SettingsStore& settings, const Screen& screen);

// Stores the window's position (and size, when resizable). A minimised or
// maximised window stores nothing, so the last normal placement is kept.
// False when the store refused one of the values.
bool SaveWindowPosition(const PlacedWindow& window, SettingsStore& settings);

// Centres the window in the work area, keeping its size; an edge that would
// lie above or left of 0 is held at 0.
void CenterInWorkArea(PlacedWindow& window, const Screen& screen);

}  // namespace Formz
