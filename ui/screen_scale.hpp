#pragma once
// What the program itself sizes in pixels, at the resolution of the screen it runs on. The
// template's dialog units already grow with its font; the logo is placed in pixels, and each
// calendar must show its month and its today line in the box the template gives it.

#include <span>
#include <string_view>

namespace gpais::ui {

// The resolution at which the dialog was drawn first, and at which it stays exactly so.
inline constexpr int standard_dpi = 96;

// A length of `pixels` at 96 DPI as many pixels at `dpi`, rounded to the nearest, halves away
// from zero, as MulDiv rounds. A resolution that is not positive counts as 96.
[[nodiscard]] int scaled_pixels(int pixels, int dpi) noexcept;

// One bitmap of the logo in the program's resources, drawn for `size` x `size` pixels.
struct LogoBitmap {
    std::string_view resource;
    int size;
    friend bool operator==(const LogoBitmap&, const LogoBitmap&) = default;
};

// Smallest first: "LOGOIMG" is the 128-pixel one of 96 DPI, the others are drawn from the same
// motif for 120, 144 and 192 DPI.
[[nodiscard]] std::span<const LogoBitmap> logo_bitmaps() noexcept;

struct LogoPlacement {
    int x;  // in pixels of the dialog's client area
    int y;
    int size;  // width and height shown
    // The bitmap drawn there: the one of exactly `size`, else the nearest larger, scaled down
    // smoothly; above the largest, the largest scaled up.
    LogoBitmap source;
    // The logo's box reaches a little into the label "Filtruoti pagal:" below it: then the
    // logo lies under its neighbours and draws nothing over them, so the label shows whole. At
    // 96 DPI, where the dialog stays exactly as it always was, it is drawn as it always was.
    bool under_neighbours;
    friend bool operator==(const LogoPlacement&, const LogoPlacement&) = default;
};

// The logo at `dpi`: at 96 DPI 128 pixels at 15, 50, and everything in proportion elsewhere.
[[nodiscard]] LogoPlacement logo_placement(int dpi) noexcept;

// What a month calendar needs to show one whole month (MCM_GETMINREQRECT) and its today line
// (MCM_GETMAXTODAYWIDTH), which the month's own width need not cover.
struct CalendarNeeds {
    int month_width;
    int month_height;
    int today_width;
};

[[nodiscard]] bool calendar_fits(const CalendarNeeds& needs, int client_width,
                                 int client_height) noexcept;

}  // namespace gpais::ui
