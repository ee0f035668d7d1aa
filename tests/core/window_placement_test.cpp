#include <gtest/gtest.h>

#include "shell/window_placement.h"

namespace vel {
namespace {

constexpr FrameMargins kFrame{8, 32, 8, 8};   // 16 wide, 40 high around the client area
constexpr FrameMargins kNoFrame{};

struct FitCase {
    const char* name;
    PlacementRequest request;
    WindowPlacement expected;
};

class FitMainWindowTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitMainWindowTest, GivesThePlacement) {
    const FitCase& c = GetParam();
    const WindowPlacement p = FitMainWindow(c.request);
    EXPECT_EQ(p, c.expected) << p.x << "," << p.y << " " << p.width << "x" << p.height;
    if (c.request.available.width > 100) {
        // Title bar, menu and status bar are on the screen.
        EXPECT_TRUE(c.request.available.contains(FrameRect(p, c.request.frame)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitMainWindowTest,
    ::testing::Values(
        // The program's size where the screen allows, centred.
        FitCase{"Velmar_V_on_1920x1080", {1024, 768, 900, kFrame, {0, 0, 1920, 1080}}, {440, 136, 1024, 768}},
        // Too high: cut to the available height, at the top edge.
        FitCase{"Velmar_V_on_1366x768", {1024, 768, 900, kFrame, {0, 0, 1366, 768}}, {163, 0, 1024, 728}},
        // Wider for the table's columns, and cut in height.
        FitCase{"VM_CH128_on_1920x1080", {800, 1100, 1150, kFrame, {0, 0, 1920, 1080}}, {377, 0, 1150, 1040}},
        // The table wider than the screen: as wide as the screen (the grid scrolls).
        FitCase{"VM_CH128_on_1366x768", {800, 1100, 1400, kFrame, {0, 0, 1366, 768}}, {0, 0, 1350, 728}},
        FitCase{"VM_CH16_on_1400x1000", {800, 1100, 700, kFrame, {0, 0, 1400, 1000}}, {292, 0, 800, 960}},
        FitCase{"VM_CH16_CN_fits_768", {800, 700, 0, kFrame, {0, 0, 1366, 768}}, {275, 14, 800, 700}},
        // A panel at the top and one at the left: the frame starts below and beside them.
        FitCase{"panels", {800, 1100, 0, kFrame, {64, 27, 1302, 741}}, {307, 27, 800, 701}},
        // A second screen right of the first.
        FitCase{"second_screen", {1024, 768, 0, kFrame, {1920, 0, 1280, 1024}}, {2040, 108, 1024, 768}},
        // No window system frame (a bare X server).
        FitCase{"no_frame", {800, 1100, 0, kNoFrame, {0, 0, 1366, 768}}, {283, 0, 800, 768}},
        // A screen smaller than the frame itself still gives a window on it.
        FitCase{"tiny_screen", {800, 1100, 0, kFrame, {0, 0, 10, 30}}, {0, 0, 1, 1}},
        // Nothing known about the screen: the program's size, unclamped.
        FitCase{"no_screen", {800, 1100, 1150, kFrame, {0, 0, 0, 0}}, {0, 0, 1150, 1100}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

struct FitsCase {
    const char* name;
    WindowPlacement saved;
    ScreenRect available;
    bool fits;
};

class PlacementFitsTest : public ::testing::TestWithParam<FitsCase> {};

TEST_P(PlacementFitsTest, DecidesWhetherTheLastPlacementIsRestored) {
    const FitsCase& c = GetParam();
    EXPECT_EQ(PlacementFits(c.saved, kFrame, c.available), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementFitsTest,
    ::testing::Values(FitsCase{"inside", {100, 50, 1000, 700}, {0, 0, 1920, 1080}, true},
                      FitsCase{"exactly_the_area", {0, 0, 1904, 1040}, {0, 0, 1920, 1080}, true},
                      // Saved on a large screen, started on a laptop.
                      FitsCase{"too_high_now", {100, 0, 1000, 1040}, {0, 0, 1366, 768}, false},
                      FitsCase{"right_edge_off", {500, 0, 1000, 700}, {0, 0, 1366, 768}, false},
                      FitsCase{"title_bar_above", {100, -10, 800, 600}, {0, 0, 1366, 768}, false},
                      FitsCase{"left_of_screen", {-5, 10, 800, 600}, {0, 0, 1366, 768}, false},
                      FitsCase{"under_top_panel", {100, 10, 800, 600}, {0, 27, 1366, 741}, false},
                      FitsCase{"second_screen", {2000, 100, 1000, 700}, {1920, 0, 1280, 1024}, true},
                      FitsCase{"empty_size", {100, 100, 0, 600}, {0, 0, 1920, 1080}, false},
                      FitsCase{"no_screen", {100, 100, 800, 600}, {0, 0, 0, 0}, false}),
    [](const ::testing::TestParamInfo<FitsCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vel
