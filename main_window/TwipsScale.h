#pragma once
// Places and sizes in twips turned into the screen's pixels, so the window's
// components keep their proportions on any screen. The design's twips were
// laid out for a small font; where the window's font needs more room, every
// place and size grows by one factor, the font growth, so the proportions
// stay and the texts fit.
#include <QRect>
#include <QSize>

#include <cstdint>

#include "support/Screen.h"

class QWidget;

class TwipsScale {
public:
    explicit TwipsScale(const Screen& screen) : screen_(screen) {}

    // Grown by the font growth.
    int ToPixelsX(double twips) const;
    int ToPixelsY(double twips) const;
    // Back to the design's twips. A fraction of a twip goes to the nearest
    // whole one, a half to the even.
    int32_t ToTwipsX(double pixels) const;
    int32_t ToTwipsY(double pixels) const;
    // The screen's own twips per pixel, whatever the font growth: the
    // window's place on the screen is kept in these.
    float PerPixelX() const;
    float PerPixelY() const;

    // 1 at the design's size; never less.
    double FontGrowth() const { return growth_; }
    void SetFontGrowth(double growth);
    // The growth at which a control placed at `twips` holds `needed` pixels;
    // a side of 0 twips asks nothing.
    double GrowthToHold(QSize needed, const QRect& twips) const;

    // Sets the widget's geometry, given in twips relative to its parent, or
    // relative to the window when the parent's own place there is given. Its
    // edges are rounded, not its size, so controls that touch in twips touch
    // in pixels and never overlap, nor stick out of a parent they fill.
    void Place(QWidget* widget, int left, int top, int width, int height, QPoint parentAt = {}) const;

private:
    const Screen& screen_;
    double growth_ = 1.0;
};
