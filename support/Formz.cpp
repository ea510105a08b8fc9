#include "support/Formz.h"

#include <limits>
#include <optional>
#include <string>

#include "base/RuntimeError.h"
#include "support/General.h"
#include "support/WorkArea.h"

namespace Formz {

namespace {

std::string KeyFor(const PlacedWindow& window, const char* suffix) { return window.Name() + suffix; }

// The whole number of a stored position, or nothing when the text is absent,
// not above 0, or not a number as a whole. Text typed into the store by hand
// ("1440abc") must not stop the window from opening: it counts as not stored.
std::optional<int32_t> StoredPosition(const std::string& text) {
    if (text.empty() || General::NumericValue(text) <= 0) {
        return std::nullopt;
    }
    try {
        return General::TextToLong(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// The numeric value of a stored size, or nothing when it is not above 0 or
// does not fit a single.
std::optional<float> StoredSize(const std::string& text) {
    const double value = General::NumericValue(text);
    if (!(value > 0) || value > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

int32_t CheckedDifference(int32_t high, int32_t low) {
    int32_t difference = 0;
    if (__builtin_sub_overflow(high, low, &difference)) {
        RuntimeError::Raise(ErrorNumber::Overflow);
    }
    return difference;
}

// Where an edge goes so that `size` sits in the middle of [low, high).
int32_t CentredEdge(int32_t low, int32_t high, float size) {
    const double span = CheckedDifference(high, low);
    return General::RoundToLong((span - static_cast<double>(size)) / 2 + low);
}

}  // namespace

bool RestoreWindowPosition(PlacedWindow& window, const SettingsStore& settings, const Screen& screen) {
    const std::string leftText = settings.GetSetting(PositionSection, KeyFor(window, "_Left"));
    const std::string topText = settings.GetSetting(PositionSection, KeyFor(window, "_Top"));
    std::string widthText;
    std::string heightText;
    if (window.IsSizable()) {
        widthText = settings.GetSetting(PositionSection, KeyFor(window, "_Width"));
        heightText = settings.GetSetting(PositionSection, KeyFor(window, "_Height"));
    }

    // The position goes first, so a centred window is centred with its
    // designed size and keeps its corner when the stored size follows.
    const std::optional<int32_t> left = StoredPosition(leftText);
    const std::optional<int32_t> top = StoredPosition(topText);
    const bool centred = !(left && top);
    if (centred) {
        CenterInWorkArea(window, screen);
    } else {
        window.Move(static_cast<float>(*left), static_cast<float>(*top));
    }

    if (!window.IsSizable()) {
        return centred;
    }
    const std::optional<float> width = StoredSize(widthText);
    const std::optional<float> height = StoredSize(heightText);
    if (width && height) {
        window.SetWidth(*width);
        window.SetHeight(*height);
    }
    return centred;
}

bool SaveWindowPosition(const PlacedWindow& window, SettingsStore& settings) {
    if (window.WindowState() != PlacedWindow::StateNormal) {
        return true;
    }
    bool stored = settings.SaveSetting(PositionSection, KeyFor(window, "_Left"), General::SingleToText(window.Left()));
    stored &= settings.SaveSetting(PositionSection, KeyFor(window, "_Top"), General::SingleToText(window.Top()));
    if (!window.IsSizable()) {
        return stored;
    }
    stored &= settings.SaveSetting(PositionSection, KeyFor(window, "_Width"), General::SingleToText(window.Width()));
    stored &= settings.SaveSetting(PositionSection, KeyFor(window, "_Height"), General::SingleToText(window.Height()));
    return stored;
}

void CenterInWorkArea(PlacedWindow& window, const Screen& screen) {
    const Rect area = General::GetWorkArea(screen);
    int32_t top = CentredEdge(area.top, area.bottom, window.Height());
    int32_t left = CentredEdge(area.left, area.right, window.Width());
    if (left < 0) {
        left = 0;
    }
    if (top < 0) {
        top = 0;
    }
    window.Move(static_cast<float>(left), static_cast<float>(top));
}

}  // namespace Formz
