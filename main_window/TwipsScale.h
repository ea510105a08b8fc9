#pragma once
// Places and sizes in twips turned into the screen's pixels, so the window's
// components keep their proportions on any screen.
#include <cstdint>

#include "support/Screen.h"

class QWidget;

class TwipsScale {
public:
    explicit TwipsScale(const Screen& screen) : screen_(screen) {}

    int ToPixelsX(double twips) const;
    int ToPixelsY(double twips) const;
    // A fraction of a twip goes to the nearest whole one, a half to the even.
    int32_t ToTwipsX(double pixels) const;
    int32_t ToTwipsY(double pixels) const;
    float PerPixelX() const;
    float PerPixelY() const;

    // Sets the widget's geometry, given in twips relative to its parent.
    void Place(QWidget* widget, int left, int top, int width, int height) const;

private:
    const Screen& screen_;
};
