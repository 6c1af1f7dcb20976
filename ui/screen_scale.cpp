#include "ui/screen_scale.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace gpais::ui {

namespace {

constexpr int logo_x = 15;  // pixels of the client area at 96 DPI, not dialog units
constexpr int logo_y = 50;
constexpr int logo_size = 128;

constexpr std::array<LogoBitmap, 4> bitmaps{{
    {"LOGOIMG", 128},
    {"LOGOIMG160", 160},
    {"LOGOIMG192", 192},
    {"LOGOIMG256", 256},
}};

}  // namespace

int scaled_pixels(int pixels, int dpi) noexcept {
    if (dpi <= 0)
        dpi = standard_dpi;
    const std::int64_t product = std::int64_t{pixels} * dpi;
    const std::int64_t half = standard_dpi / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / standard_dpi : -((-product + half) / standard_dpi);
    return static_cast<int>(rounded);
}

std::span<const LogoBitmap> logo_bitmaps() noexcept {
    return bitmaps;
}

LogoPlacement logo_placement(int dpi) noexcept {
    const int size = scaled_pixels(logo_size, dpi);
    const auto larger = std::find_if(bitmaps.begin(), bitmaps.end(),
                                     [size](const LogoBitmap& b) { return b.size >= size; });
    const LogoBitmap source = larger != bitmaps.end() ? *larger : bitmaps.back();
    return {scaled_pixels(logo_x, dpi), scaled_pixels(logo_y, dpi), size, source,
            size != logo_size};
}

bool calendar_fits(const CalendarNeeds& needs, int client_width, int client_height) noexcept {
    return std::max(needs.month_width, needs.today_width) <= client_width &&
           needs.month_height <= client_height;
}

}  // namespace gpais::ui
