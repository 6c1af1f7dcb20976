// Reads the resources back out of the built program and compares them with what the dialog
// and Windows' shell rely on.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#include "ui/resources/resource.h"
#include "ui/screen_scale.hpp"
#include "win32_test_support.hpp"

namespace {

using gpais::UniqueModule;

std::string_view resource_bytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC found = ::FindResourceW(module, name, type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    return {static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, found)};
}

class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        program_.reset(::LoadLibraryExW(gpais::ui::testing::program_path().c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(program_) << "cannot open the built program";
    }
    UniqueModule program_;
};

// A reader of the plain dialog template: WORD-sized fields, strings or 0xFFFF ordinals,
// items on DWORD boundaries.
class TemplateReader {
  public:
    explicit TemplateReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint32_t dword() {
        std::uint32_t value = 0;
        std::memcpy(&value, take(4), 4);
        return value;
    }
    std::uint16_t word() {
        std::uint16_t value = 0;
        std::memcpy(&value, take(2), 2);
        return value;
    }
    std::int16_t coordinate() { return static_cast<std::int16_t>(word()); }
    std::string text() {
        std::wstring wide;
        for (std::uint16_t c = word(); c != 0; c = word())
            wide.push_back(static_cast<wchar_t>(c));
        return gpais::to_utf8(wide);
    }
    // A class or title: an ordinal shows as "#n", the predefined control classes by name.
    std::string text_or_ordinal() {
        if (peek_word() != 0xFFFF)
            return text();
        word();
        switch (const std::uint16_t ordinal = word()) {
            case 0x80:
                return "BUTTON";
            case 0x81:
                return "EDIT";
            case 0x82:
                return "STATIC";
            default:
                return std::string("#").append(std::to_string(ordinal));
        }
    }
    void align_dword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
    [[nodiscard]] std::size_t remaining() const { return bytes_.size() - offset_; }

  private:
    std::uint16_t peek_word() const {
        std::uint16_t value = 0;
        if (offset_ + 2 <= bytes_.size())
            std::memcpy(&value, bytes_.data() + offset_, 2);
        return value;
    }
    const char* take(std::size_t size) {
        if (offset_ + size > bytes_.size())
            throw std::out_of_range("template ends early");
        const char* at = bytes_.data() + offset_;
        offset_ += size;
        return at;
    }
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

struct Control {
    int id;
    std::string class_name;
    std::string text;
    std::uint32_t style;
    std::uint32_t ex_style;
    short x, y, cx, cy;
    bool operator==(const Control&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Control& c) {
    return out << c.id << " " << c.class_name << " \"" << c.text << "\" style 0x" << std::hex
               << c.style << " ex 0x" << c.ex_style << std::dec << " at " << c.x << "," << c.y
               << " size " << c.cx << "x" << c.cy;
}

const Control expected_controls[] = {
    {301, "STATIC", "Pradėta tiekti nuo", 0x50000000, 0, 56, 2, 85, 8},
    {303, "SYSMONTHCAL32", "MenNuo", 0x50810000, 0, 56, 10, 85, 95},
    {311, "STATIC", "Pradėta tiekti iki", 0x50000000, 0, 145, 2, 85, 8},
    {313, "SYSMONTHCAL32", "MenIki", 0x50810000, 0, 145, 10, 85, 95},
    // One line high: at 9 its bottom would lie under the top of the field 403.
    {401, "STATIC", "GPAIS klaidų failas:", 0x50020000, 0x4, 56, 45, 150, 8},
    {402, "BUTTON", "...", 0x50010001, 0x4, 216, 53, 12, 12},
    // ES_AUTOHSCROLL (0x80): a path longer than the box is typed or pasted whole.
    {403, "EDIT", "", 0x50010080, 0x204, 56, 53, 157, 12},
    {500, "STATIC", "Filtruoti pagal:", 0x50000000, 0, 3, 67, 48, 8},
    {501, "BUTTON", "Pradėta tiekti", 0x50011109, 0, 3, 77, 48, 11},
    {502, "BUTTON", "GPAIS klaidas", 0x50011109, 0, 3, 90, 48, 11},
    {101, "STATIC", "Senas xml:", 0x50020000, 0x4, 5, 111, 45, 9},
    {102, "BUTTON", "...", 0x50010001, 0x4, 216, 109, 12, 12},
    {103, "EDIT", "", 0x50010080, 0x204, 51, 109, 162, 12},
    {101, "STATIC", "support@gpais-filtras.lt www.gpais-filtras.lt", 0x50000000, 0, 15, 125, 85,
     17},
    {111, "BUTTON", "Formuoti naują xml", 0x50010000, 0x4, 150, 125, 75, 14},
};

TEST_F(ProgramResources, DialogTemplateMatchesTheLayout) {
    const std::string_view bytes =
        resource_bytes(program_.get(), MAKEINTRESOURCEW(IDD_MAIN), MAKEINTRESOURCEW(5));
    ASSERT_FALSE(bytes.empty());
    TemplateReader reader{bytes};
    // The extended form would start with 1, 0xFFFF; the plain one with its style.
    EXPECT_EQ(reader.dword(), 0x90C808C8u) << "style";
    // Modal frame, window edge, and files dropped from Explorer accepted.
    EXPECT_EQ(reader.dword(), 0x111u) << "extended style";
    const std::uint16_t count = reader.word();
    EXPECT_EQ(count, 15u);
    EXPECT_EQ(reader.coordinate(), 0);
    EXPECT_EQ(reader.coordinate(), 0);
    EXPECT_EQ(reader.coordinate(), 236);
    EXPECT_EQ(reader.coordinate(), 146);
    EXPECT_EQ(reader.text_or_ordinal(), "") << "menu";
    EXPECT_EQ(reader.text_or_ordinal(), "") << "class";
    EXPECT_EQ(reader.text(), "GPAIS sąrašų filtravimas:");
    EXPECT_EQ(reader.word(), 14u) << "font size";
    EXPECT_EQ(reader.text(), "Arial");

    for (std::size_t i = 0; i < count && i < std::size(expected_controls); ++i) {
        reader.align_dword();
        Control actual{};
        actual.style = reader.dword();
        actual.ex_style = reader.dword();
        actual.x = reader.coordinate();
        actual.y = reader.coordinate();
        actual.cx = reader.coordinate();
        actual.cy = reader.coordinate();
        actual.id = reader.word();
        actual.class_name = reader.text_or_ordinal();
        actual.text = reader.text_or_ordinal();
        const std::uint16_t extra = reader.word();
        for (std::uint16_t b = 0; b < extra; b += 2)
            reader.word();
        EXPECT_EQ(actual, expected_controls[i]) << "control " << i + 1;
    }
}

// The logo of 96 DPI under its own name, and the same logo drawn for 120, 144 and 192 DPI, each
// in 16 colours and of the size the dialog picks it for.
TEST_F(ProgramResources, LogoIsThereForEachResolutionIn16Colours) {
    struct Case {
        const wchar_t* name;
        int size;
    };
    const Case cases[] = {
        {L"LOGOIMG", 128}, {L"LOGOIMG160", 160}, {L"LOGOIMG192", 192}, {L"LOGOIMG256", 256}};
    const auto bitmaps = gpais::ui::logo_bitmaps();
    ASSERT_EQ(bitmaps.size(), std::size(cases)) << "bitmaps the dialog picks from";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const std::string name = gpais::to_utf8(c.name);
        EXPECT_EQ(bitmaps[i].resource, name);
        EXPECT_EQ(bitmaps[i].size, c.size) << name;
        const std::string_view bytes = resource_bytes(program_.get(), c.name, MAKEINTRESOURCEW(2));
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << name;
        BITMAPINFOHEADER header{};
        std::memcpy(&header, bytes.data(), sizeof header);
        EXPECT_EQ(header.biWidth, c.size) << name;
        EXPECT_EQ(header.biHeight, c.size) << name;
        EXPECT_EQ(header.biBitCount, 4) << name;
    }
}

TEST_F(ProgramResources, IconGroupHoldsFiveSizesIn32Bits) {
    const std::string_view bytes = resource_bytes(program_.get(), L"IKONA", MAKEINTRESOURCEW(14));
    ASSERT_GE(bytes.size(), 6u);
    TemplateReader reader{bytes};
    reader.word();
    EXPECT_EQ(reader.word(), 1u) << "icon type";
    const std::uint16_t count = reader.word();
    std::vector<int> sizes;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint16_t width_height = reader.word();
        reader.word();  // colour count, reserved
        reader.word();  // planes
        EXPECT_EQ(reader.word(), 32u) << "bits of image " << i;
        reader.dword();  // bytes
        reader.word();   // image id
        sizes.push_back(width_height & 0xFF);
        EXPECT_EQ(width_height & 0xFF, width_height >> 8) << "square image " << i;
    }
    EXPECT_EQ(sizes, (std::vector<int>{128, 48, 32, 24, 16}));
}

// Both programs: without a level a 32-bit program's writes into protected folders land unseen
// in the VirtualStore. The command also takes paths longer than MAX_PATH from scripts. Without
// DPI awareness Windows draws the dialog, its message boxes and choosers at 96 DPI and stretches
// the picture, blurred, on a screen of 125 % or more; the command's own message boxes of a crash
// likewise. Awareness per monitor would need the dialog re-laid out when it moves to another
// screen, so it is the system's DPI, and no newer element overrides it.
TEST(ProgramManifests, AskNoElevationAndNameNoCommonControls) {
    struct Case {
        const char* name;
        std::wstring program;
        bool long_paths;
        bool system_dpi_aware;
    };
    const Case cases[] = {
        {"dialog", gpais::ui::testing::program_path(), true, true},
        {"console command", gpais::ui::testing::cli_program_path(), true, true},
    };
    for (const Case& c : cases) {
        const UniqueModule program{
            ::LoadLibraryExW(c.program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
        ASSERT_TRUE(program) << c.name;
        const std::string_view manifest =
            resource_bytes(program.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        ASSERT_FALSE(manifest.empty()) << c.name;
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string_view::npos) << c.name;
        for (const char* os :
             {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
              "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
              "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
            EXPECT_NE(manifest.find(os), std::string_view::npos) << c.name << " " << os;
        }
        EXPECT_EQ(manifest.find("Common-Controls"), std::string_view::npos) << c.name;
        EXPECT_EQ(
            manifest.find("<ws2:longPathAware>true</ws2:longPathAware>") != std::string_view::npos,
            c.long_paths)
            << c.name;
        EXPECT_EQ(manifest.find("<dpiAware "
                                "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
                                "true</dpiAware>") != std::string_view::npos,
                  c.system_dpi_aware)
            << c.name;
        EXPECT_EQ(manifest.find("dpiAwareness"), std::string_view::npos) << c.name;
        EXPECT_EQ(manifest.find("PerMonitor"), std::string_view::npos) << c.name;
    }
}

TEST_F(ProgramResources, VersionBlockIsEnglishUnitedStates) {
    const std::string_view version =
        resource_bytes(program_.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_FALSE(version.empty());
    const std::wstring_view wide{reinterpret_cast<const wchar_t*>(version.data()),
                                 version.size() / 2};
    EXPECT_NE(wide.find(L"040904B0"), std::wstring_view::npos);
    EXPECT_NE(wide.find(L"gpais-filtras.exe"), std::wstring_view::npos);
}

}  // namespace
