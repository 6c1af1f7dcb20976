// The dialog on screens of 100, 125, 150, 175 and 200 %: under Wine the screen's DPI is the
// registry's LogPixels, which tests/e2e/at_dpi.sh sets before the Wine server starts. At each the
// dialog must show every text whole, both calendars' month and today line, no control over another,
// the logo in proportion, and fit the screens sold with such a scale.
#include "dpi_layout.hpp"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

#include "base/message_box.hpp"
#include "base/unique_handle.hpp"
#include "remote_calendar.hpp"
#include "screen.hpp"
#include "user_session.hpp"
#include "windows_probe.hpp"

namespace gpais::e2e {

namespace {

using namespace std::chrono_literals;

struct DpiCase {
    std::string name;
    int dpi;
    // The smallest screen sold with this scale that the dialog must fit, less a taskbar.
    int screen_width;
    int screen_height;
};

const std::vector<DpiCase> dpi_cases = {
    {"layout_at_96_dpi", 96, 1366, 768},
    {"layout_at_120_dpi", 120, 1366, 768},
    {"layout_at_144_dpi", 144, 1920, 1080},
    // No logo is drawn for this size: the 256-pixel one is drawn down to 224.
    {"layout_at_168_dpi", 168, 1920, 1080},
    {"layout_at_192_dpi", 192, 1920, 1080},
};

// Windows 10's taskbar at 96 DPI, growing with the scale like everything else.
constexpr int taskbar_height = 40;

// The template's font as the dialog manager makes it: FONT 14, "Arial" at the screen's DPI.
constexpr int template_points = 14;
constexpr int template_width = 236;  // dialog units
constexpr int template_height = 146;

// The logo at 96 DPI, in pixels of the client area.
constexpr RECT logo_at_96{15, 50, 15 + 128, 50 + 128};
constexpr int logo_slack = 2;

int screen_dpi() {
    const UniqueScreenDc screen{::GetDC(nullptr)};
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
}

std::string text_of_rect(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " .. " + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

RECT rect_in(HWND dialog, HWND control) {
    RECT area{};
    ::GetWindowRect(control, &area);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

SIZE client_of(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// A device context holding a copy of the dialog's font, the one the dialog manager gives every
// control of the template. The program's own font handle means nothing in this process (and
// Wine answers WM_GETFONT from another process with none), so the font is made again as the
// dialog manager makes it, and checked against the dialog's size, which the dialog manager
// derives from it.
class DialogFont {
  public:
    explicit DialogFont(int dpi)
        : font_(::CreateFontW(-::MulDiv(template_points, dpi, 72), 0, 0, 0, FW_DONTCARE, FALSE,
                              FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              L"Arial")),
          dc_(::CreateCompatibleDC(nullptr)) {
        expect(font_ && dc_, "cannot make the dialog's font");
        before_ = ::SelectObject(dc_.get(), font_.get());
        ::GetTextMetricsW(dc_.get(), &metrics_);
    }
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;
    ~DialogFont() { ::SelectObject(dc_.get(), before_); }

    // The dialog base units: the average width of the Latin letters and the line height.
    SIZE base_units() const {
        const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE extent{};
        ::GetTextExtentPoint32W(dc_.get(), letters, 52, &extent);
        return {(extent.cx / 26 + 1) / 2, metrics_.tmHeight};
    }
    int line_height() const { return metrics_.tmHeight; }
    SIZE single_line(const std::wstring& text) const {
        SIZE extent{};
        ::GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        return extent;
    }
    // As a static of style SS_LEFT draws it: broken into lines at the control's width.
    SIZE wrapped(const std::wstring& text, int width) const {
        RECT area{0, 0, width, 0};
        ::DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &area,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        return {area.right - area.left, area.bottom - area.top};
    }

  private:
    UniqueFont font_;
    UniqueMemoryDc dc_;
    HGDIOBJ before_ = nullptr;
    TEXTMETRICW metrics_{};
};

std::vector<HWND> visible_children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child))
            children.push_back(child);
    }
    return children;
}

bool is_bitmap(HWND control) {
    return class_of(control) == L"Static" &&
           (::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

std::string name_of(HWND control) {
    return "control " + std::to_string(::GetDlgCtrlID(control)) + " (" +
           to_utf8(class_of(control)) + " \"" + to_utf8(text_of(control)) + "\")";
}

// Each text in the control's own font: the dialog's for labels, buttons and fields; for each
// calendar the one the program fitted, which the calendar measures itself.
void expect_text_fits(Program& program, HWND control, const DialogFont& font) {
    const std::wstring kind = class_of(control);
    const SIZE client = client_of(control);
    const std::string what = name_of(control);
    const auto sizes = [](SIZE need, SIZE have) {
        return " needs " + std::to_string(need.cx) + " x " + std::to_string(need.cy) + " but has " +
               std::to_string(have.cx) + " x " + std::to_string(have.cy);
    };
    if (kind == L"SysMonthCal32") {
        const SIZE month = calendar_minimum_size(program.process(), control);
        const auto today = static_cast<LONG>(send(control, MCM_GETMAXTODAYWIDTH));
        expect(month.cx <= client.cx && month.cy <= client.cy,
               what + "'s month" + sizes(month, client));
        expect(today <= client.cx, what + "'s today line" + sizes({today, 0}, client));
        return;
    }
    if (kind == L"Edit") {
        expect(font.line_height() <= client.cy,
               what + "'s line" + sizes({0, font.line_height()}, client));
    } else if (kind == L"Static") {
        const SIZE text = font.wrapped(text_of(control), client.cx);
        expect(text.cx <= client.cx && text.cy <= client.cy, what + sizes(text, client));
    } else if (kind == L"Button") {
        // A push button draws its text inside its raised edge.
        const int edge_x = ::GetSystemMetrics(SM_CXEDGE);
        const int edge_y = ::GetSystemMetrics(SM_CYEDGE);
        const SIZE text = font.single_line(text_of(control));
        const SIZE inside{client.cx - 2 * edge_x, client.cy - 2 * edge_y};
        expect(text.cx <= inside.cx && text.cy <= inside.cy, what + sizes(text, inside));
    } else {
        throw Failure(what + " is of a kind this check does not know");
    }
}

// Position and size become pixels each on its own, so neighbours that touch in dialog units
// may share one row or column of pixels.
void expect_apart(HWND dialog, const std::vector<HWND>& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const RECT a = rect_in(dialog, controls[i]);
            const RECT b = rect_in(dialog, controls[j]);
            RECT common{};
            if (!::IntersectRect(&common, &a, &b))
                continue;
            const bool touching =
                common.right - common.left <= 1 || common.bottom - common.top <= 1;
            expect(touching, name_of(controls[i]) + " at " + text_of_rect(a) + " overlaps " +
                                 name_of(controls[j]) + " at " + text_of_rect(b));
        }
    }
}

void expect_laid_out(Program& program, HWND dialog, const DialogFont& font, std::size_t shown,
                     const std::string& mode) {
    std::vector<HWND> texts;
    for (HWND control : visible_children(dialog)) {
        if (is_bitmap(control))
            continue;
        try {
            expect_text_fits(program, control, font);
        } catch (const Failure& e) {
            throw Failure(std::string(e.what()) + " in " + mode);
        }
        texts.push_back(control);
    }
    expect(texts.size() == shown, std::to_string(texts.size()) +
                                      " controls with text are visible in " + mode + ", not " +
                                      std::to_string(shown));
    try {
        expect_apart(dialog, texts);
    } catch (const Failure& e) {
        throw Failure(std::string(e.what()) + " in " + mode);
    }
}

void expect_logo_scaled(HWND dialog, int dpi) {
    std::vector<HWND> logos;
    for (HWND control : visible_children(dialog)) {
        if (is_bitmap(control))
            logos.push_back(control);
    }
    expect(logos.size() == 1, "the dialog shows " + std::to_string(logos.size()) + " logos");
    const RECT box = rect_in(dialog, logos.front());
    const RECT expected{::MulDiv(logo_at_96.left, dpi, 96), ::MulDiv(logo_at_96.top, dpi, 96),
                        ::MulDiv(logo_at_96.right, dpi, 96), ::MulDiv(logo_at_96.bottom, dpi, 96)};
    const auto close_to = [](LONG a, LONG b) { return std::abs(a - b) <= logo_slack; };
    expect(close_to(box.left, expected.left) && close_to(box.top, expected.top) &&
               close_to(box.right, expected.right) && close_to(box.bottom, expected.bottom),
           "the logo is at " + text_of_rect(box) + ", expected " + text_of_rect(expected));

    // The scaled box reaches a few rows into "Filtruoti pagal:", as at 96 DPI, where the dialog
    // stays as it always was. Elsewhere the label must show whole: the logo lies under every
    // control it meets and draws nothing over them.
    if (dpi == 96)
        return;
    const bool clips = (::GetWindowLongPtrW(logos.front(), GWL_STYLE) & WS_CLIPSIBLINGS) != 0;
    bool below = false;  // the children come top of the Z order first
    for (HWND control : visible_children(dialog)) {
        if (control == logos.front()) {
            below = true;
            continue;
        }
        RECT common{};
        const RECT other = rect_in(dialog, control);
        if (::IntersectRect(&common, &box, &other)) {
            expect(!below && clips,
                   "the logo is drawn over " + name_of(control) + " at " + text_of_rect(other));
        }
    }
}

void layout_at_dpi(const Context& ctx, const std::string& name) {
    const DpiCase& c = case_named(dpi_cases, name);
    const int dpi = screen_dpi();
    expect(dpi == c.dpi, "the screen is at " + std::to_string(dpi) + " DPI, not " +
                             std::to_string(c.dpi) +
                             ": LogPixels must be set before the Wine server starts "
                             "(tests/e2e/at_dpi.sh)");
    Workspace place(name, ctx.source_dir);
    UserSession session(place, ctx.exe, L"\"C:\\GPAIS\\Prekių sąrašas.xml\"");
    HWND dialog = session.dialog();

    const DialogFont font(dpi);
    const SIZE units = font.base_units();
    const SIZE client = client_of(dialog);
    expect(client.cx == ::MulDiv(template_width, units.cx, 4) &&
               client.cy == ::MulDiv(template_height, units.cy, 8),
           "the dialog's client area is " + std::to_string(client.cx) + " x " +
               std::to_string(client.cy) + ", not the template's in Arial 14 at " +
               std::to_string(dpi) + " DPI: the texts would be measured in another font");

    RECT window{};
    ::GetWindowRect(dialog, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int room = c.screen_height - ::MulDiv(taskbar_height, dpi, 96);
    expect(width <= c.screen_width && height <= room,
           "the dialog is " + std::to_string(width) + " x " + std::to_string(height) +
               ", more than a " + std::to_string(c.screen_width) + " x " +
               std::to_string(c.screen_height) + " screen shows above its taskbar");

    expect_logo_scaled(dialog, dpi);
    // The mode buttons and their label, the list field with its label and button, the contact
    // text and the run button; and the calendars with their labels or the error log field with
    // its label and button.
    expect_laid_out(session.process(), dialog, font, 12, "supply-start mode");

    if (!ctx.artifact.empty()) {
        std::this_thread::sleep_for(700ms);  // lets the calendars finish painting
        const Image picture = capture(window);
        std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
        expect(colours.size() > 8, "the dialog's picture is blank");
        save_bmp(picture, ctx.artifact);
    }

    session.choose_mode(IDC_MODE_ERRORS);
    wait_until([&] { return ::IsWindowVisible(session.control(IDC_EDIT_LOG)) != FALSE; }, 5s,
               "the error log field to show");
    expect_laid_out(session.process(), dialog, font, 11, "error-log mode");

    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    session.expect_end_without(to_wide(caption_error), "after WM_CLOSE");
}

}  // namespace

void add_dpi_layout_scenarios(std::vector<Scenario>& list) {
    add_cases(list, dpi_cases, layout_at_dpi);
}

}  // namespace gpais::e2e
