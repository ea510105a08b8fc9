#include "support/Formz.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/RuntimeError.h"
#include "support/WorkArea.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/FakeScreen.h"
#include "testkit/MemorySettings.h"

namespace {

class FakeWindow : public PlacedWindow {
public:
    FakeWindow(int16_t borderStyle, float width = 9000, float height = 6000) : w(width), h(height), style(borderStyle) {}
    std::string Name() const override { return "frmMain"; }
    float Left() const override { return l; }
    float Top() const override { return t; }
    float Width() const override { return w; }
    float Height() const override { return h; }
    int16_t BorderStyle() const override { return style; }
    int16_t WindowState() const override { return state; }
    void Move(float left, float top) override { l = left, t = top; }
    void SetWidth(float width) override { w = width; }
    void SetHeight(float height) override { h = height; }

    float l = -1, t = -1, w, h;
    int16_t style, state = PlacedWindow::StateNormal;
};

constexpr int16_t Fixed = 1, Sizable = 2, Tool = 5;

}  // namespace

TEST(Formz, WorkAreaScalesEachAxisAndRoundsHalvesToEven) {
    EXPECT_EQ(General::GetWorkArea(FakeScreen(Rect{1, 3, 5, 7}, 2.5f, 1.5f)), (Rect{2, 4, 12, 10}));
    EXPECT_EQ(General::GetWorkArea(FakeScreen(Rect{0, 40, 1920, 1080}, 15, 12)), (Rect{0, 480, 28800, 12960}));
}

TEST(Formz, CentresInTheWorkAreaHoldingNegativeEdgesAtZero) {
    struct Case { Rect pixels; float perX, width, height, left, top; };
    const Case cases[] = {
        {{0, 0, 1024, 768}, 15, 9000, 6000, 3180, 2760},
        {{64, 32, 1024, 768}, 15, 9000, 6000, 3660, 3000},  // panels on the left and top
        {{0, 0, 1000, 768}, 12, 6000, 6000, 3000, 2760},    // horizontal scale of its own
        {{0, 0, 1024, 768}, 15, 9003, 6003, 3178, 2758},    // x.5 goes to the even neighbour
        {{0, 0, 1024, 768}, 15, 20000, 20000, 0, 0},        // larger than the work area
        {{0, 0, 0, 0}, 15, 9000, 6000, 0, 0},               // no work area
    };
    for (const Case& c : cases) {
        FakeWindow window(Sizable, c.width, c.height);
        Formz::CenterInWorkArea(window, FakeScreen(c.pixels, c.perX, 15));
        EXPECT_EQ(window.l, c.left) << c.width;
        EXPECT_EQ(window.t, c.top) << c.height;
        EXPECT_EQ(window.w, c.width);
    }
    const int32_t big = std::numeric_limits<int32_t>::max();
    FakeWindow window(Sizable);
    EXPECT_EQ(ErrorNumberOf([&] { Formz::CenterInWorkArea(window, FakeScreen(Rect{-big, 0, big, 768}, 1, 15)); }),
              ErrorNumber::Overflow);
}

TEST(Formz, RestoreUsesAStoredPositionOnlyWhenUsableAndSizeOnlyWhenResizable) {
    struct Case { int16_t style; const char *left, *top, *width, *height; float l, t, w, h; };
    const Case cases[] = {
        {Sizable, "", "", "", "", 3180, 2760, 9000, 6000},  // first start
        {Fixed, "0", "720", "", "", 3180, 2760, 9000, 6000},  // saved flush left
        {Fixed, "1440", "-60", "", "", 3180, 2760, 9000, 6000},
        {Fixed, "1440", "", "", "", 3180, 2760, 9000, 6000},
        {Fixed, "1440abc", "720", "", "", 3180, 2760, 9000, 6000},  // hand-edited
        {Fixed, "1440", "99999999999", "", "", 3180, 2760, 9000, 6000},
        {Fixed, "99999", "88888", "", "", 99999, 88888, 9000, 6000},  // screen no longer attached
        {Fixed, "1440.5", "721.5", "", "", 1440, 722, 9000, 6000},
        {Fixed, "1440", "720", "10000", "7000", 1440, 720, 9000, 6000},
        {Sizable, "1440", "720", "10000", "7000.5", 1440, 720, 10000, 7000.5f},
        {Tool, "1440", "720", "10000tw", "7000", 1440, 720, 10000, 7000},
        {Sizable, "", "", "5000", "4000", 3180, 2760, 5000, 4000},  // centred with the designed size
        {Sizable, "1440", "720", "0", "7000", 1440, 720, 9000, 6000},
        {Sizable, "1440", "720", "10000", "", 1440, 720, 9000, 6000},
        {Sizable, "1440", "720", "10000", "1e40", 1440, 720, 9000, 6000},  // beyond a single
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        const std::pair<const char*, const char*> stored[] = {
            {"frmMain_Left", c.left}, {"frmMain_Top", c.top}, {"frmMain_Width", c.width}, {"frmMain_Height", c.height}};
        for (const auto& [key, value] : stored) settings.Set("WindowPosition", key, value);
        FakeWindow window(c.style);
        Formz::RestoreWindowPosition(window, settings, FakeScreen());
        SCOPED_TRACE(std::string(c.left) + "," + c.top + "," + c.width + "," + c.height);
        EXPECT_EQ(std::tie(window.l, window.t, window.w, window.h), std::tie(c.l, c.t, c.w, c.h));
    }
}

TEST(Formz, SaveWritesOnlyInNormalStateAndSizeOnlyWhenResizable) {
    struct Case { int16_t style, state; std::size_t writes; };
    const Case cases[] = {{Sizable, 0, 4}, {Tool, 0, 4}, {Fixed, 0, 2}, {Sizable, 1, 0}, {Sizable, 2, 0}};
    for (const Case& c : cases) {
        MemorySettings settings;
        FakeWindow window(c.style, 10000, 7000.5f);
        window.l = 1440, window.t = -60, window.state = c.state;
        EXPECT_TRUE(Formz::SaveWindowPosition(window, settings));
        ASSERT_EQ(settings.Writes().size(), c.writes) << c.style << "/" << c.state;
        const char* expected[] = {"WindowPosition/frmMain_Left=1440", "WindowPosition/frmMain_Top=-60",
                                  "WindowPosition/frmMain_Width=10000", "WindowPosition/frmMain_Height=7000.5"};
        for (std::size_t i = 0; i < c.writes; ++i) {
            const MemorySettings::Write& write = settings.Writes()[i];
            EXPECT_EQ(write.section + "/" + write.key + "=" + write.value, expected[i]);
        }
    }
    MemorySettings failing;
    failing.FailWrites();
    EXPECT_FALSE(Formz::SaveWindowPosition(FakeWindow(Fixed), failing));
}
