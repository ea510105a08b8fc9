#pragma once
// Places and sizes of the main window's controls in twips, and its colours,
// shared by the files that build and move them.
#include <QColor>

namespace Design {

// The client area of the window.
inline constexpr int ClientWidth = 11655;
inline constexpr int ClientHeight = 7335;

// The file browser panel on the left: a strip with its caption and the drive
// list when collapsed, the full browser when open.
inline constexpr int PanelLeft = 120;
inline constexpr int PanelTop = 240;
inline constexpr int PanelWidth = 5535;
inline constexpr int PanelCollapsedHeight = 605;
inline constexpr int PanelOpenHeight = 6975;

inline const QColor Blue(0, 0, 255);
inline const QColor Green(0, 100, 0);
// Laid under text that sits on the background picture, so it reads clearly.
inline const QColor TextPlate(255, 255, 255, 170);
inline const QColor PanelGrey(222, 222, 222);
inline const QColor ListGrey(236, 236, 236);

}  // namespace Design
