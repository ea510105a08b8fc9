#include "qt_platform/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr float TwipsPerInch = 1440.0f;
constexpr float DefaultTwipsPerPixel = 15.0f;

QScreen* PrimaryScreen() { return qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr; }

float TwipsPerPixelAt(double dotsPerInch) {
    return dotsPerInch > 0 ? static_cast<float>(TwipsPerInch / dotsPerInch) : DefaultTwipsPerPixel;
}

}  // namespace

Rect QtScreen::WorkAreaPixels() const {
    const QScreen* screen = PrimaryScreen();
    if (screen == nullptr) {
        return {};
    }
    // Qt's right() and bottom() name the last pixel inside; the work area's
    // edges lie just past it.
    const QRect area = screen->availableGeometry();
    return Rect{area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
}

float QtScreen::TwipsPerPixelX() const {
    const QScreen* screen = PrimaryScreen();
    return screen != nullptr ? TwipsPerPixelAt(screen->logicalDotsPerInchX()) : DefaultTwipsPerPixel;
}

float QtScreen::TwipsPerPixelY() const {
    const QScreen* screen = PrimaryScreen();
    return screen != nullptr ? TwipsPerPixelAt(screen->logicalDotsPerInchY()) : DefaultTwipsPerPixel;
}
