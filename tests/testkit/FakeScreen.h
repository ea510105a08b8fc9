#pragma once
// A screen for tests: a fixed work area in pixels and fixed twips per pixel.
#include "support/Screen.h"

class FakeScreen : public Screen {
public:
    FakeScreen() = default;
    FakeScreen(Rect workAreaPixels, float twipsPerPixelX, float twipsPerPixelY)
        : area_(workAreaPixels), perPixelX_(twipsPerPixelX), perPixelY_(twipsPerPixelY) {}

    Rect WorkAreaPixels() const override { return area_; }
    float TwipsPerPixelX() const override { return perPixelX_; }
    float TwipsPerPixelY() const override { return perPixelY_; }

private:
    Rect area_{0, 0, 1024, 768};
    float perPixelX_ = 15.0f;
    float perPixelY_ = 15.0f;
};
