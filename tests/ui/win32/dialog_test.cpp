// The dialog and its calendars on real Windows controls: the template is opened modelessly
// from the test program's own copy of the resources and driven with the messages a person's
// clicks would send.

#include <windows.h>
// after windows.h, which it builds on
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/local_time.hpp"
#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "filter/date.hpp"
#include "ui/calendar_fonts.hpp"
#include "ui/choosers.hpp"
#include "ui/command_line.hpp"
#include "ui/control_message.hpp"
#include "ui/default_period.hpp"
#include "ui/main_dialog.hpp"
#include "ui/month_date.hpp"
#include "ui/resources/resource.h"
#include "ui/startup.hpp"

namespace {

using namespace std::chrono;
using gpais::Date;
using gpais::ui::MONTHDATE;

class MainDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        common_controls_ = gpais::ui::register_calendar_class();
        dialog_ = ::CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                       gpais::ui::forwarding_dialog_proc,
                                       reinterpret_cast<LPARAM>(&gpais::ui::DIALOGFUNC));
        ASSERT_NE(dialog_, nullptr) << "the template could not be opened";
    }
    void TearDown() override {
        if (dialog_ != nullptr)
            ::DestroyWindow(dialog_);
    }
    bool visible(int id) const { return ::IsWindowVisible(::GetDlgItem(dialog_, id)) != FALSE; }
    void click(int id) {
        ::SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, id)));
    }

    gpais::UniqueModule common_controls_;
    HWND dialog_ = nullptr;
};

year_month_day today() {
    const gpais::LocalTime now = gpais::read_local_time();
    return year{now.year} / month{now.month} / day{now.day};
}

TEST_F(MainDialog, OpensInSupplyStartModeWithTheDefaultPeriod) {
    const gpais::ui::Period expected = gpais::ui::default_period(today());
    EXPECT_EQ(MONTHDATE(dialog_, IDC_CAL_FROM), expected.first);
    EXPECT_EQ(MONTHDATE(dialog_, IDC_CAL_TO), expected.last);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog_, IDC_MODE_PERIOD), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog_, IDC_MODE_ERRORS), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    for (const int id : {IDC_LABEL_FROM, IDC_CAL_FROM, IDC_LABEL_TO, IDC_CAL_TO})
        EXPECT_TRUE(visible(id)) << id;
    for (const int id : {IDC_LABEL_LOG, IDC_BROWSE_LOG, IDC_EDIT_LOG})
        EXPECT_FALSE(visible(id)) << id;
    EXPECT_EQ(
        ::SendMessageW(::GetDlgItem(dialog_, IDC_CAL_FROM), MCM_GETFIRSTDAYOFWEEK, 0, 0) & 0xFFFF,
        0)
        << "weeks start on Monday";
}

TEST_F(MainDialog, ProductListFieldHoldsArgumentOne) {
    const auto arguments = gpais::ui::split_command_line(gpais::to_utf8(::GetCommandLineW()));
    const std::string expected = arguments.size() > 1 ? arguments[1] : std::string{};
    wchar_t text[4096] = {};
    ::GetDlgItemTextW(dialog_, IDC_EDIT_LIST, text, 4096);
    EXPECT_EQ(gpais::to_utf8(text), expected);
}

TEST_F(MainDialog, ModeButtonsSwitchSetsAndKeepTheirContents) {
    MONTHDATE(dialog_, IDC_CAL_FROM, Date{2026y / 3 / 2});
    ::SetDlgItemTextW(dialog_, IDC_EDIT_LOG, L"C:\\klaidos.log");
    click(IDC_MODE_ERRORS);
    for (const int id : {IDC_LABEL_FROM, IDC_CAL_FROM, IDC_LABEL_TO, IDC_CAL_TO})
        EXPECT_FALSE(visible(id)) << id;
    for (const int id : {IDC_LABEL_LOG, IDC_BROWSE_LOG, IDC_EDIT_LOG})
        EXPECT_TRUE(visible(id)) << id;
    click(IDC_MODE_PERIOD);
    EXPECT_TRUE(visible(IDC_CAL_FROM));
    EXPECT_FALSE(visible(IDC_EDIT_LOG));
    EXPECT_EQ(MONTHDATE(dialog_, IDC_CAL_FROM), Date{2026y / 3 / 2});
    wchar_t text[64] = {};
    ::GetDlgItemTextW(dialog_, IDC_EDIT_LOG, text, 64);
    EXPECT_STREQ(text, L"C:\\klaidos.log");
}

// What Explorer hands the dialog at the end of a drag: a movable global block with a DROPFILES
// header and the paths, which the dialog must release.
HDROP dropped(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths)
        list.append(path).push_back(L'\0');
    list.push_back(L'\0');
    const std::size_t path_bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + path_bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), path_bytes);
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::wstring field_text(HWND dialog, int id) {
    std::wstring text(
        static_cast<std::size_t>(::GetWindowTextLengthW(::GetDlgItem(dialog, id))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetDlgItemTextW(dialog, id, text.data(), static_cast<int>(text.size()))));
    return text;
}

TEST_F(MainDialog, DroppedFilesFillTheirFieldsAndALogSwitchesTheMode) {
    const std::wstring log =
        L"C:\\Mano dokumentai\\" + std::wstring(250, L'ž') + L"\\GPAIS klaidos ąčę.TXT";
    const std::wstring list = L"C:\\GPAIS\\Prekių sąrašas.xml";
    ::SendMessageW(dialog_, WM_DROPFILES, reinterpret_cast<WPARAM>(dropped({log, list})), 0);
    EXPECT_EQ(field_text(dialog_, IDC_EDIT_LOG), log);
    EXPECT_EQ(field_text(dialog_, IDC_EDIT_LIST), list);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog_, IDC_MODE_ERRORS), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog_, IDC_MODE_PERIOD), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    for (const int id : {IDC_LABEL_FROM, IDC_CAL_FROM, IDC_LABEL_TO, IDC_CAL_TO})
        EXPECT_FALSE(visible(id)) << id;
    for (const int id : {IDC_LABEL_LOG, IDC_BROWSE_LOG, IDC_EDIT_LOG})
        EXPECT_TRUE(visible(id)) << id;
}

TEST_F(MainDialog, EscapeDoesNotCloseButTheCloseBoxDoes) {
    ::SendMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindowVisible(dialog_));
    ::SendMessageW(dialog_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(dialog_));
}

struct CalendarBox {
    int id;
    int x, y, cx, cy;  // the template's, in dialog units
};

const CalendarBox calendar_boxes[] = {
    {IDC_CAL_FROM, 56, 10, 85, 95},
    {IDC_CAL_TO, 145, 10, 85, 95},
};

SIZE size_of(const RECT& r) {
    return {r.right - r.left, r.bottom - r.top};
}

RECT minimum_for_month(HWND calendar) {
    RECT needed{};
    EXPECT_TRUE(::SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed)));
    return needed;
}

int screen_pixels_per_inch() {
    const gpais::UniqueScreenDc screen{::GetDC(nullptr)};
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int points_of(HFONT font) {
    LOGFONTW logical{};
    ::GetObjectW(font, sizeof logical, &logical);
    return ::MulDiv(std::abs(logical.lfHeight), 72, screen_pixels_per_inch());
}

// Without this the weekend columns and the arrow to the next month are cut off at the right.
TEST_F(MainDialog, CalendarsShowTheirWholeMonthInTheTemplatesBoxes) {
    const auto dialog_font = reinterpret_cast<HFONT>(::SendMessageW(dialog_, WM_GETFONT, 0, 0));
    const int dialog_points = points_of(dialog_font);
    for (const CalendarBox& box : calendar_boxes) {
        HWND calendar = ::GetDlgItem(dialog_, box.id);
        // The dialog manager turns position and size into pixels each on its own.
        RECT position{box.x, box.y, 0, 0};
        ::MapDialogRect(dialog_, &position);
        RECT size{0, 0, box.cx, box.cy};
        ::MapDialogRect(dialog_, &size);
        RECT window{};
        ::GetWindowRect(calendar, &window);
        ::MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&window), 2);
        EXPECT_EQ(window.left, position.left) << box.id;
        EXPECT_EQ(window.top, position.top) << box.id;
        EXPECT_EQ(size_of(window).cx, size.right) << box.id;
        EXPECT_EQ(size_of(window).cy, size.bottom) << box.id;

        RECT client{};
        ::GetClientRect(calendar, &client);
        const RECT needed = minimum_for_month(calendar);
        EXPECT_LE(size_of(needed).cx, size_of(client).cx) << box.id << " is too narrow";
        EXPECT_LE(size_of(needed).cy, size_of(client).cy) << box.id << " is too low";

        const auto font = reinterpret_cast<HFONT>(::SendMessageW(calendar, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << box.id;
        LOGFONTW logical{};
        ::GetObjectW(font, sizeof logical, &logical);
        EXPECT_STREQ(logical.lfFaceName, L"Arial") << box.id;
        const int points = points_of(font);
        EXPECT_LE(points, dialog_points) << box.id;
        EXPECT_GE(points, gpais::ui::smallest_calendar_points) << box.id;

        // One point more must no longer fit, or the month is drawn smaller than it need be.
        if (points < dialog_points) {
            LOGFONTW larger = logical;
            larger.lfHeight = -::MulDiv(points + 1, screen_pixels_per_inch(), 72);
            const gpais::UniqueFont trial{::CreateFontIndirectW(&larger)};
            ::SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(trial.get()), FALSE);
            const RECT needed_larger = minimum_for_month(calendar);
            ::SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            EXPECT_TRUE(size_of(needed_larger).cx > size_of(client).cx ||
                        size_of(needed_larger).cy > size_of(client).cy)
                << box.id << " would show its month at " << points + 1 << " points too";
        }
    }
}

struct DateCase {
    const char* name;
    year_month_day date;
};

const DateCase date_cases[] = {
    {"the end of a 30-day month", 2026y / 11 / 30},
    {"a Sunday", 2026y / 11 / 1},
    {"a Saturday", 2026y / 11 / 7},
    {"a leap day", 2024y / 2 / 29},
    {"a year with a high low byte", 2040y / 7 / 15},
};

TEST_F(MainDialog, CalendarsKeepTheDatesSet) {
    for (const DateCase& c : date_cases) {
        MONTHDATE(dialog_, IDC_CAL_TO, Date{c.date});
        EXPECT_EQ(MONTHDATE(dialog_, IDC_CAL_TO), Date{c.date}) << c.name;
    }
}

TEST_F(MainDialog, SettingADateReturnsTheSelectionBefore) {
    MONTHDATE(dialog_, IDC_CAL_FROM, Date{2026y / 11 / 30});
    EXPECT_EQ(MONTHDATE(dialog_, IDC_CAL_FROM, Date{2026y / 11 / 1}), Date{2026y / 11 / 30});
    EXPECT_EQ(MONTHDATE(dialog_, IDC_CAL_FROM), Date{2026y / 11 / 1});
}

TEST_F(MainDialog, TheControlWritesTheSelectionIntoTheLentBuffer) {
    MONTHDATE(dialog_, IDC_CAL_FROM, Date{2026y / 11 / 30});
    std::uint8_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), 0x20);
    gpais::ui::CONTROLMESSAGE(::GetDlgItem(dialog_, IDC_CAL_FROM), MCM_GETCURSEL, 0, buffer);
    const std::uint8_t expected[8] = {0xEA, 0x07, 0x0B, 0x00, 0x01, 0x00, 0x1E, 0x00};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), buffer));
}

TEST_F(MainDialog, AnIdWithoutCalendarReadsAsTheEmptyDate) {
    EXPECT_EQ(MONTHDATE(dialog_, IDC_EDIT_LIST), Date{});
    EXPECT_EQ(MONTHDATE(dialog_, 999, Date{2026y / 1 / 1}), Date{});
}

struct FolderCase {
    const wchar_t* folder;
    std::string expected;
};

TEST(CurrentFolder, EndsInOneBackslashAndLeavesTheFolderAlone) {
    wchar_t start[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, start);
    const FolderCase cases[] = {{L"C:\\windows", "C:\\windows\\"}, {L"C:\\", "C:\\"}};
    for (const FolderCase& c : cases) {
        ASSERT_TRUE(::SetCurrentDirectoryW(c.folder));
        EXPECT_EQ(gpais::ui::CURRENTFOLDER(), c.expected);
    }
    ::SetCurrentDirectoryW(start);
}

}  // namespace
