#include "main_window/TwipsScale.h"

#include <QWidget>

#include <algorithm>

#include "support/General.h"

namespace {

// A screen that reports no resolution is taken as the usual 96 dots per inch.
float Usable(float twipsPerPixel) { return twipsPerPixel > 0 ? twipsPerPixel : 15.0f; }

}  // namespace

float TwipsScale::PerPixelX() const { return Usable(screen_.TwipsPerPixelX()); }
float TwipsScale::PerPixelY() const { return Usable(screen_.TwipsPerPixelY()); }

void TwipsScale::SetFontGrowth(double growth) { growth_ = std::max(1.0, growth); }

int TwipsScale::ToPixelsX(double twips) const { return qRound(twips * growth_ / PerPixelX()); }
int TwipsScale::ToPixelsY(double twips) const { return qRound(twips * growth_ / PerPixelY()); }

int32_t TwipsScale::ToTwipsX(double pixels) const { return General::RoundToLong(pixels * PerPixelX() / growth_); }
int32_t TwipsScale::ToTwipsY(double pixels) const { return General::RoundToLong(pixels * PerPixelY() / growth_); }

double TwipsScale::GrowthToHold(QSize needed, const QRect& twips) const {
    // The least growth that gives the control its pixels once its edges are
    // rounded; rounding may take one away, and then it grows a pixel more.
    const auto along = [](int need, int start, int length, float perPixel) {
        const auto placed = [=](double growth) {
            return qRound((start + length) * growth / perPixel) - qRound(start * growth / perPixel);
        };
        if (length <= 0 || placed(1.0) >= need) return 1.0;
        const double exact = need * double(perPixel) / length;
        return placed(exact) >= need ? exact : (need + 1) * double(perPixel) / length;
    };
    return std::max(along(needed.width(), twips.x(), twips.width(), PerPixelX()),
                    along(needed.height(), twips.y(), twips.height(), PerPixelY()));
}

void TwipsScale::Place(QWidget* widget, int left, int top, int width, int height, QPoint parentAt) const {
    const int x = ToPixelsX(left);
    const int y = ToPixelsY(top);
    widget->setGeometry(x - ToPixelsX(parentAt.x()), y - ToPixelsY(parentAt.y()), ToPixelsX(left + width) - x,
                        ToPixelsY(top + height) - y);
}
