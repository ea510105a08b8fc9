#include "support/Formz.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/RuntimeError.h"
#include "support/WorkArea.h"
#include "testkit/FakeScreen.h"
#include "testkit/MemorySettings.h"

namespace {

// A window that remembers what was done to it, in order.
class FakeWindow : public PlacedWindow {
public:
    FakeWindow(float width, float height, int16_t borderStyle, std::string name = "frmMain")
        : name_(std::move(name)), width_(width), height_(height), borderStyle_(borderStyle) {}

    std::string Name() const override { return name_; }
    float Left() const override { return left_; }
    float Top() const override { return top_; }
    float Width() const override { return width_; }
    float Height() const override { return height_; }
    int16_t BorderStyle() const override { return borderStyle_; }
    int16_t WindowState() const override { return state_; }

    void Move(float left, float top) override {
        left_ = left;
        top_ = top;
        calls.push_back("Move");
    }
    void SetWidth(float width) override {
        width_ = width;
        calls.push_back("SetWidth");
    }
    void SetHeight(float height) override {
        height_ = height;
        calls.push_back("SetHeight");
    }

    void Place(float left, float top) { left_ = left, top_ = top; }
    void SetState(int16_t state) { state_ = state; }

    std::vector<std::string> calls;

private:
    std::string name_;
    float left_ = 0;
    float top_ = 0;
    float width_;
    float height_;
    int16_t borderStyle_;
    int16_t state_ = PlacedWindow::StateNormal;
};

constexpr int16_t Fixed = 1;
constexpr int16_t Sizable = PlacedWindow::BorderSizable;
constexpr int16_t SizableTool = PlacedWindow::BorderSizableToolWindow;

}  // namespace

TEST(WorkArea, ConvertsEachEdgeWithItsOwnScaleRoundingHalvesToEven) {
    const FakeScreen screen(Rect{1, 3, 5, 7}, 2.5f, 1.5f);
    // 2.5 -> 2, 4.5 -> 4, 12.5 -> 12, 10.5 -> 10
    EXPECT_EQ(General::GetWorkArea(screen), (Rect{2, 4, 12, 10}));
    EXPECT_EQ(General::GetWorkArea(FakeScreen(Rect{}, 15, 15)), Rect{});
    EXPECT_EQ(General::GetWorkArea(FakeScreen(Rect{0, 40, 1920, 1080}, 15, 12)), (Rect{0, 480, 28800, 12960}));
}

TEST(FormzCenter, CentresInTheWorkAreaAndHoldsNegativeEdgesAtZero) {
    struct Case {
        const char* what;
        Rect pixels;
        float perPixelX, perPixelY;
        float width, height;
        float left, top;
    };
    const Case cases[] = {
        {"1024x768 at 15", {0, 0, 1024, 768}, 15, 15, 9000, 6000, 3180, 2760},
        {"panel on top and left", {64, 32, 1024, 768}, 15, 15, 9000, 6000, 3660, 3000},
        {"separate scales", {0, 0, 1000, 1000}, 12, 15, 6000, 7000, 3000, 4000},
        {"halves to even", {0, 0, 1024, 768}, 15, 15, 9003, 6003, 3178, 2758},
        {"taller than the area", {0, 0, 1024, 768}, 15, 15, 9000, 20000, 3180, 0},
        {"wider than the area", {0, 0, 1024, 768}, 15, 15, 20000, 6000, 0, 2760},
        {"no work area", {0, 0, 0, 0}, 15, 15, 9000, 6000, 0, 0},
        {"area left of the origin", {-1024, 0, 0, 768}, 15, 15, 9000, 6000, 0, 2760},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow window(c.width, c.height, Sizable);
        window.Place(123, 456);
        Formz::CenterInWorkArea(window, FakeScreen(c.pixels, c.perPixelX, c.perPixelY));
        EXPECT_EQ(window.Left(), c.left);
        EXPECT_EQ(window.Top(), c.top);
        EXPECT_EQ(window.Width(), c.width);
        EXPECT_EQ(window.Height(), c.height);
        EXPECT_EQ(window.calls, std::vector<std::string>{"Move"});
    }
}

TEST(FormzCenter, AWorkAreaTooWideForTheArithmeticIsAnOverflow) {
    const int32_t big = std::numeric_limits<int32_t>::max();
    FakeWindow window(9000, 6000, Sizable);
    try {
        Formz::CenterInWorkArea(window, FakeScreen(Rect{-big, 0, big, 768}, 1, 15));
        FAIL() << "no overflow raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), RuntimeError::Overflow);
    }
    EXPECT_TRUE(window.calls.empty());
}

TEST(FormzRestore, PositionIsAppliedOnlyWhenBothEdgesAreWholePositiveNumbers) {
    struct Case {
        const char* left;
        const char* top;
        float expectLeft, expectTop;
    };
    // Centred in 1024x768 at 15 twips: 3180, 2760.
    const Case cases[] = {
        {nullptr, nullptr, 3180, 2760},  // first start
        {"1440", nullptr, 3180, 2760},
        {nullptr, "1440", 3180, 2760},
        {"", "720", 3180, 2760},
        {"0", "720", 3180, 2760},  // saved flush with the left edge
        {"1440", "-60", 3180, 2760},
        {"-60", "1440", 3180, 2760},
        {"abc", "720", 3180, 2760},
        {"1440abc", "720", 3180, 2760},  // positive start but not a number
        {"1440", "720 px", 3180, 2760},
        {"99999999999", "720", 3180, 2760},  // beyond a whole number's range
        {"1440", "720", 1440, 720},
        {"99999", "88888", 99999, 88888},  // on a screen no longer attached
        {"1440.5", "721.5", 1440, 722},
        {" 1440", "720", 1440, 720},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.left ? c.left : "(absent)") + " / " + (c.top ? c.top : "(absent)"));
        MemorySettings settings;
        if (c.left) settings.Set("WindowPosition", "frmMain_Left", c.left);
        if (c.top) settings.Set("WindowPosition", "frmMain_Top", c.top);
        FakeWindow window(9000, 6000, Fixed);
        Formz::RestoreWindowPosition(window, settings, FakeScreen());
        EXPECT_EQ(window.Left(), c.expectLeft);
        EXPECT_EQ(window.Top(), c.expectTop);
        EXPECT_EQ(window.calls, std::vector<std::string>{"Move"});
        EXPECT_TRUE(settings.Writes().empty());
    }
}

TEST(FormzRestore, SizeFollowsThePositionForResizableWindowsOnly) {
    struct Case {
        const char* what;
        int16_t style;
        const char* left;
        const char* top;
        const char* width;
        const char* height;
        std::vector<std::string> calls;
        float left_, top_, width_, height_;
    };
    const std::vector<std::string> moveOnly{"Move"};
    const std::vector<std::string> moveAndSize{"Move", "SetWidth", "SetHeight"};
    const Case cases[] = {
        {"stored placement", Sizable, "1440", "720", "10000", "7000", moveAndSize, 1440, 720, 10000, 7000},
        {"tool window", SizableTool, "1440", "720", "10000", "7000", moveAndSize, 1440, 720, 10000, 7000},
        // centred with the designed 9000x6000, then resized around that corner
        {"size without position", Sizable, nullptr, nullptr, "5000", "4000", moveAndSize, 3180, 2760, 5000, 4000},
        {"fractional size", Sizable, "1440", "720", "10000.5", "7000.25", moveAndSize, 1440, 720, 10000.5f, 7000.25f},
        {"leading number of the size", Sizable, "1440", "720", "10000tw", "7000", moveAndSize, 1440, 720, 10000,
         7000},
        {"width 0", Sizable, "1440", "720", "0", "7000", moveOnly, 1440, 720, 9000, 6000},
        {"height absent", Sizable, "1440", "720", "10000", nullptr, moveOnly, 1440, 720, 9000, 6000},
        {"negative height", Sizable, "1440", "720", "10000", "-7000", moveOnly, 1440, 720, 9000, 6000},
        {"beyond a single", Sizable, "1440", "720", "10000", "1e40", moveOnly, 1440, 720, 9000, 6000},
        {"fixed border ignores size", Fixed, "1440", "720", "10000", "7000", moveOnly, 1440, 720, 9000, 6000},
        {"no border ignores size", 0, "1440", "720", "10000", "7000", moveOnly, 1440, 720, 9000, 6000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettings settings;
        if (c.left) settings.Set("WindowPosition", "frmMain_Left", c.left);
        if (c.top) settings.Set("WindowPosition", "frmMain_Top", c.top);
        if (c.width) settings.Set("WindowPosition", "frmMain_Width", c.width);
        if (c.height) settings.Set("WindowPosition", "frmMain_Height", c.height);
        FakeWindow window(9000, 6000, c.style);
        Formz::RestoreWindowPosition(window, settings, FakeScreen());
        EXPECT_EQ(window.calls, c.calls);
        EXPECT_EQ(window.Left(), c.left_);
        EXPECT_EQ(window.Top(), c.top_);
        EXPECT_EQ(window.Width(), c.width_);
        EXPECT_EQ(window.Height(), c.height_);
    }
}

TEST(FormzRestore, KeysCarryTheWindowsName) {
    MemorySettings settings;
    settings.Set("WindowPosition", "frmMain_Left", "1440");
    settings.Set("WindowPosition", "frmMain_Top", "720");
    settings.Set("WindowPosition", "frmOther_Left", "2880");
    settings.Set("WindowPosition", "frmOther_Top", "1440");
    settings.Set("Options", "frmThird_Left", "2880");
    settings.Set("Options", "frmThird_Top", "1440");
    FakeWindow other(9000, 6000, Fixed, "frmOther");
    Formz::RestoreWindowPosition(other, settings, FakeScreen());
    EXPECT_EQ(other.Left(), 2880);
    EXPECT_EQ(other.Top(), 1440);
    FakeWindow third(9000, 6000, Fixed, "frmThird");
    Formz::RestoreWindowPosition(third, settings, FakeScreen());
    EXPECT_EQ(third.Left(), 3180);
    EXPECT_EQ(third.Top(), 2760);
}

TEST(FormzSave, WritesPositionAlwaysAndSizeForResizableWindowsInNormalStateOnly) {
    struct Case {
        const char* what;
        int16_t style;
        int16_t state;
        std::vector<std::string> keys;
    };
    const std::vector<std::string> position{"frmMain_Left", "frmMain_Top"};
    const std::vector<std::string> all{"frmMain_Left", "frmMain_Top", "frmMain_Width", "frmMain_Height"};
    const Case cases[] = {
        {"sizable", Sizable, PlacedWindow::StateNormal, all},
        {"tool window", SizableTool, PlacedWindow::StateNormal, all},
        {"fixed", Fixed, PlacedWindow::StateNormal, position},
        {"minimised", Sizable, PlacedWindow::StateMinimized, {}},
        {"maximised", Sizable, PlacedWindow::StateMaximized, {}},
        {"minimised fixed", Fixed, PlacedWindow::StateMinimized, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySettings settings;
        FakeWindow window(10000, 7000.5f, c.style);
        window.Place(1440, -60);
        window.SetState(c.state);
        EXPECT_TRUE(Formz::SaveWindowPosition(window, settings));
        std::vector<std::string> keys;
        for (const MemorySettings::Write& write : settings.Writes()) {
            EXPECT_EQ(write.section, "WindowPosition");
            keys.push_back(write.key);
        }
        EXPECT_EQ(keys, c.keys);
        if (!keys.empty()) {
            EXPECT_EQ(settings.GetSetting("WindowPosition", "frmMain_Left"), "1440");
            EXPECT_EQ(settings.GetSetting("WindowPosition", "frmMain_Top"), "-60");
        }
        if (keys.size() == 4) {
            EXPECT_EQ(settings.GetSetting("WindowPosition", "frmMain_Width"), "10000");
            EXPECT_EQ(settings.GetSetting("WindowPosition", "frmMain_Height"), "7000.5");
        }
    }
}

TEST(FormzSave, MinimisedCloseKeepsTheEarlierPlacementAndFailedWritesAreReported) {
    MemorySettings settings;
    FakeWindow window(10000, 7000, Sizable);
    window.Place(2880, 1440);
    ASSERT_TRUE(Formz::SaveWindowPosition(window, settings));
    window.Place(-32000, -32000);
    window.SetState(PlacedWindow::StateMinimized);
    ASSERT_TRUE(Formz::SaveWindowPosition(window, settings));

    FakeWindow next(9000, 6000, Sizable);
    Formz::RestoreWindowPosition(next, settings, FakeScreen());
    EXPECT_EQ(next.Left(), 2880);
    EXPECT_EQ(next.Top(), 1440);
    EXPECT_EQ(next.Width(), 10000);
    EXPECT_EQ(next.Height(), 7000);

    settings.FailWrites();
    window.SetState(PlacedWindow::StateNormal);
    EXPECT_FALSE(Formz::SaveWindowPosition(window, settings));
}

TEST(Formz, ASavedPlacementComesBackAtTheNextStart) {
    struct Case {
        int16_t style;
        float left, top, width, height;
        float expectLeft, expectTop, expectWidth, expectHeight;
    };
    const Case cases[] = {
        {Sizable, 1500, 900, 11000, 8000, 1500, 900, 11000, 8000},
        {Fixed, 1500, 900, 11000, 8000, 1500, 900, 9000, 6000},
        {Sizable, 0, 900, 11000, 8000, 3180, 2760, 11000, 8000},  // flush left: centred with the designed size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        MemorySettings settings;
        FakeWindow closing(c.width, c.height, c.style);
        closing.Place(c.left, c.top);
        ASSERT_TRUE(Formz::SaveWindowPosition(closing, settings));
        FakeWindow starting(9000, 6000, c.style);
        Formz::RestoreWindowPosition(starting, settings, FakeScreen());
        EXPECT_EQ(starting.Left(), c.expectLeft);
        EXPECT_EQ(starting.Top(), c.expectTop);
        EXPECT_EQ(starting.Width(), c.expectWidth);
        EXPECT_EQ(starting.Height(), c.expectHeight);
    }
}
