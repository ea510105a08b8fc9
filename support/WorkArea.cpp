#include "support/WorkArea.h"

#include "support/General.h"

namespace General {

namespace {

int32_t ToTwips(int32_t pixels, float twipsPerPixel) {
    return RoundToLong(static_cast<double>(pixels) * static_cast<double>(twipsPerPixel));
}

}  // namespace

Rect GetWorkArea(const Screen& screen) {
    const Rect pixels = screen.WorkAreaPixels();
    const float perPixelX = screen.TwipsPerPixelX();
    const float perPixelY = screen.TwipsPerPixelY();
    Rect twips;
    twips.left = ToTwips(pixels.left, perPixelX);
    twips.right = ToTwips(pixels.right, perPixelX);
    twips.top = ToTwips(pixels.top, perPixelY);
    twips.bottom = ToTwips(pixels.bottom, perPixelY);
    return twips;
}

}  // namespace General
