#include "main_window/TwipsScale.h"

#include <QWidget>

#include "support/General.h"

namespace {

// A screen that reports no resolution is taken as the usual 96 dots per inch.
float Usable(float twipsPerPixel) { return twipsPerPixel > 0 ? twipsPerPixel : 15.0f; }

}  // namespace

float TwipsScale::PerPixelX() const { return Usable(screen_.TwipsPerPixelX()); }
float TwipsScale::PerPixelY() const { return Usable(screen_.TwipsPerPixelY()); }

int TwipsScale::ToPixelsX(double twips) const { return qRound(twips / PerPixelX()); }
int TwipsScale::ToPixelsY(double twips) const { return qRound(twips / PerPixelY()); }

int32_t TwipsScale::ToTwipsX(double pixels) const { return General::RoundToLong(pixels * PerPixelX()); }
int32_t TwipsScale::ToTwipsY(double pixels) const { return General::RoundToLong(pixels * PerPixelY()); }

void TwipsScale::Place(QWidget* widget, int left, int top, int width, int height) const {
    widget->setGeometry(ToPixelsX(left), ToPixelsY(top), ToPixelsX(width), ToPixelsY(height));
}
