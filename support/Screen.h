#pragma once
// What the window placement needs to know about the display.
#include <cstdint>

// A rectangle as left, top, right and bottom edges; right and bottom lie just
// past the last column and row, so right - left is the width.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

class Screen {
public:
    virtual ~Screen() = default;

    // The part of the primary screen that task bars and panels leave free, in
    // pixels; all zeros when there is no screen.
    virtual Rect WorkAreaPixels() const = 0;

    // Twips (1440 to the inch) per pixel, 15 on a screen of 96 dots per inch.
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
};
