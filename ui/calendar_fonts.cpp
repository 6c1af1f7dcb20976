#include "ui/calendar_fonts.hpp"

#include <commctrl.h>

#include <array>
#include <cstdlib>
#include <cwchar>

#include "base/unique_handle.hpp"
#include "ui/control_message.hpp"
#include "ui/screen_scale.hpp"

namespace gpais::ui {

namespace {

// A control does not own the font it is given, so the fonts must outlive every calendar that
// uses them. One font per size for the whole process: both calendars, and any later dialog,
// share them, and at most a handful of GDI objects ever exist. The size alone tells them
// apart: a process has one dialog template and one screen resolution.
class FontCache {
  public:
    // `model` supplies everything but the face and the height, so the calendar's text keeps
    // the weight, character set and quality of the dialog's.
    HFONT arial(int points, int pixels_per_inch, const LOGFONTW& model) noexcept {
        const auto slot = static_cast<std::size_t>(points - smallest_calendar_points);
        if (slot >= fonts_.size())
            return nullptr;
        if (!fonts_[slot]) {
            LOGFONTW wanted = model;
            wanted.lfHeight = -::MulDiv(points, pixels_per_inch, 72);
            wanted.lfWidth = 0;
            std::wcsncpy(wanted.lfFaceName, L"Arial", LF_FACESIZE - 1);
            wanted.lfFaceName[LF_FACESIZE - 1] = L'\0';
            fonts_[slot].reset(::CreateFontIndirectW(&wanted));
        }
        return fonts_[slot].get();
    }

  private:
    // Dialog fonts above 72 points are not something this dialog will meet.
    std::array<UniqueFont, 72 - smallest_calendar_points + 1> fonts_{};
};

FontCache& calendar_fonts() noexcept {
    static FontCache cache;
    return cache;
}

// The today line ("Šiandien" and the date) is measured apart from the month: in another date
// format or font it can be the wider of the two.
bool month_fits(HWND calendar, const RECT& client) noexcept {
    RECT needed{};
    // Like every message to a control that carries no text, through CONTROLMESSAGE; the structure
    // stays in this process, so lending its address is enough.
    if (CONTROLMESSAGE(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed)) == 0)
        return false;
    const CalendarNeeds needs{needed.right - needed.left, needed.bottom - needed.top,
                              CONTROLMESSAGE(calendar, MCM_GETMAXTODAYWIDTH, 0, 0)};
    return calendar_fits(needs, client.right - client.left, client.bottom - client.top);
}

void fit_one(HWND calendar, int largest_points, int pixels_per_inch,
             const LOGFONTW& model) noexcept {
    RECT client{};
    if (calendar == nullptr || !::GetClientRect(calendar, &client))
        return;
    FontCache& fonts = calendar_fonts();
    HFONT chosen = fonts.arial(smallest_calendar_points, pixels_per_inch, model);
    for (int points = largest_points; points > smallest_calendar_points; --points) {
        HFONT trial = fonts.arial(points, pixels_per_inch, model);
        if (trial == nullptr)
            continue;
        CONTROLMESSAGE(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(trial), FALSE);
        if (month_fits(calendar, client)) {
            chosen = trial;
            break;
        }
    }
    if (chosen != nullptr)
        CONTROLMESSAGE(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
}

}  // namespace

// A window's device context has the resolution of the screen it is on, so the screen's is read.
int screen_pixels_per_inch() noexcept {
    const UniqueScreenDc screen{::GetDC(nullptr)};
    const int pixels = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : standard_dpi;
    return pixels > 0 ? pixels : standard_dpi;
}

void fit_calendar_fonts(HWND dialog, std::initializer_list<int> calendar_ids) noexcept {
    LOGFONTW model{};
    const auto dialog_font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (dialog_font == nullptr || ::GetObjectW(dialog_font, sizeof model, &model) == 0)
        return;
    const int pixels_per_inch = screen_pixels_per_inch();
    // The dialog's size in whole points, rounded as Windows rounds the template's points to
    // pixels, so that the first size tried is the dialog's own.
    const int dialog_points = ::MulDiv(std::abs(model.lfHeight), 72, pixels_per_inch);
    for (const int id : calendar_ids)
        fit_one(::GetDlgItem(dialog, id), dialog_points, pixels_per_inch, model);
}

}  // namespace gpais::ui
