#include "ui/screen_scale.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using gpais::ui::CalendarNeeds;
using gpais::ui::LogoBitmap;
using gpais::ui::LogoPlacement;

const LogoBitmap logo_128{"LOGOIMG", 128};
const LogoBitmap logo_160{"LOGOIMG160", 160};
const LogoBitmap logo_192{"LOGOIMG192", 192};
const LogoBitmap logo_256{"LOGOIMG256", 256};

struct LogoCase {
    const char* name;
    int dpi;
    LogoPlacement expected;
};

const LogoCase logo_cases[] = {
    {"at 100 % the logo is where it always was, its own 128 pixels",
     96,
     {15, 50, 128, logo_128, false}},
    {"at 125 % a logo drawn for 160 pixels, half pixels rounded up",
     120,
     {19, 63, 160, logo_160, true}},
    {"at 150 % a logo drawn for 192 pixels", 144, {23, 75, 192, logo_192, true}},
    {"at 175 % the 256-pixel logo drawn down to 224", 168, {26, 88, 224, logo_256, true}},
    {"at 200 % a logo drawn for 256 pixels", 192, {30, 100, 256, logo_256, true}},
    {"at 250 % the largest logo drawn up", 240, {38, 125, 320, logo_256, true}},
    {"at 110 % the next larger logo drawn down, never a smaller one drawn up",
     106,
     {17, 55, 141, logo_160, true}},
    {"below 96 DPI the 128-pixel logo drawn down", 72, {11, 38, 96, logo_128, true}},
    {"a screen that gives no resolution counts as 96 DPI", 0, {15, 50, 128, logo_128, false}},
};

TEST(ScreenScale, LogoFollowsTheScreensResolution) {
    for (const LogoCase& c : logo_cases) {
        const LogoPlacement placed = gpais::ui::logo_placement(c.dpi);
        EXPECT_EQ(placed.x, c.expected.x) << c.name;
        EXPECT_EQ(placed.y, c.expected.y) << c.name;
        EXPECT_EQ(placed.size, c.expected.size) << c.name;
        EXPECT_EQ(placed.source.resource, c.expected.source.resource) << c.name;
        EXPECT_EQ(placed.source.size, c.expected.source.size) << c.name;
        EXPECT_EQ(placed.under_neighbours, c.expected.under_neighbours) << c.name;
    }
}

TEST(ScreenScale, LogoBitmapsGrowAndStartWithTheNamedOne) {
    const auto bitmaps = gpais::ui::logo_bitmaps();
    ASSERT_FALSE(bitmaps.empty());
    EXPECT_EQ(bitmaps.front(), logo_128) << "the logo of 96 DPI keeps its resource name";
    for (std::size_t i = 1; i < bitmaps.size(); ++i)
        EXPECT_LT(bitmaps[i - 1].size, bitmaps[i].size) << "bitmap " << i;
}

struct FitCase {
    const char* name;
    CalendarNeeds needs;
    int client_width;
    int client_height;
    bool fits;
};

const FitCase fit_cases[] = {
    {"month and today line inside the box", {336, 237, 200}, 340, 368, true},
    {"exactly the box's size", {340, 368, 340}, 340, 368, true},
    {"a today line wider than the month is cut", {300, 237, 341}, 340, 368, false},
    {"a month one pixel too wide", {341, 237, 200}, 340, 368, false},
    {"a month one pixel too high", {336, 369, 200}, 340, 368, false},
};

TEST(ScreenScale, CalendarFitsItsMonthAndItsTodayLine) {
    for (const FitCase& c : fit_cases) {
        EXPECT_EQ(gpais::ui::calendar_fits(c.needs, c.client_width, c.client_height), c.fits)
            << c.name;
    }
}

}  // namespace
