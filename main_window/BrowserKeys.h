#pragma once
// The keys the file browser acts on, with the codes and shift states the key
// handlers receive.
#include <QKeyEvent>

#include <cstdint>

namespace BrowserKeys {

inline constexpr int16_t Delete = 46;
inline constexpr int16_t F2 = 113;
inline constexpr int16_t F5 = 116;

// Every other key is 0.
inline int16_t KeyCodeOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Delete: return Delete;
    case Qt::Key_F2: return F2;
    case Qt::Key_F5: return F5;
    default: return 0;
    }
}

// Shift 1, Ctrl 2, Alt 4.
inline int16_t ShiftStateOf(const QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    return static_cast<int16_t>((held & Qt::ShiftModifier ? 1 : 0) | (held & Qt::ControlModifier ? 2 : 0) |
                                (held & Qt::AltModifier ? 4 : 0));
}

}  // namespace BrowserKeys
