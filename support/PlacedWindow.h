#pragma once
// The few things the window placement reads and changes on a window, all
// positions and sizes in twips.
#include <cstdint>
#include <string>

class PlacedWindow {
public:
    // Border styles that let the user resize the window; every other style is fixed.
    static constexpr int16_t BorderSizable = 2;
    static constexpr int16_t BorderSizableToolWindow = 5;
    // Window states.
    static constexpr int16_t StateNormal = 0;
    static constexpr int16_t StateMinimized = 1;
    static constexpr int16_t StateMaximized = 2;

    virtual ~PlacedWindow() = default;

    // The name the settings keys are built from, such as "frmMain".
    virtual std::string Name() const = 0;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    // Outer size, frame included.
    virtual float Width() const = 0;
    virtual float Height() const = 0;

    virtual int16_t BorderStyle() const = 0;
    virtual int16_t WindowState() const = 0;

    // Moves the top-left corner; the size stays.
    virtual void Move(float left, float top) = 0;
    virtual void SetWidth(float width) = 0;
    virtual void SetHeight(float height) = 0;

    bool IsSizable() const {
        const int16_t style = BorderStyle();
        return style == BorderSizable || style == BorderSizableToolWindow;
    }
};
