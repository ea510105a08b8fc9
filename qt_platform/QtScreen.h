#pragma once
#include "support/Screen.h"

// The primary screen as Qt reports it. Without a screen (or without a GUI
// application) the work area is all zeros and a pixel counts 15 twips.
class QtScreen : public Screen {
public:
    Rect WorkAreaPixels() const override;
    float TwipsPerPixelX() const override;
    float TwipsPerPixelY() const override;
};
