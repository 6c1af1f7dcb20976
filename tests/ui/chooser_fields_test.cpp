#include "ui/chooser_fields.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gpais::FileType;
using namespace std::string_literals;

struct FilterCase {
    const char* name;
    std::vector<FileType> types;
    std::string expected;
    std::size_t usable;
};

const FilterCase filter_cases[] = {
    {"one pair ends in a double NUL",
     {{"GPAIS failai (*.xml)", "*.xml"}},
     "GPAIS failai (*.xml)\0*.xml\0\0"s,
     1},
    {"a pattern list keeps its semicolons",
     {{"GPAIS klaidos (*.log,*.txt)", "*.log;*.txt"}},
     "GPAIS klaidos (*.log,*.txt)\0*.log;*.txt\0\0"s,
     1},
    {"pairs stay in order", {{"XML", "*.xml"}, {"Visi", "*.*"}}, "XML\0*.xml\0Visi\0*.*\0\0"s, 2},
    {"a pair without description is left out",
     {{"", "*.xml"}, {"Visi", "*.*"}},
     "Visi\0*.*\0\0"s,
     1},
    {"a pair without pattern is left out", {{"XML", ""}}, ""s, 0},
    {"no pairs give no filter", {}, ""s, 0},
};

TEST(ChooserFields, BuildsTheFilterString) {
    for (const FilterCase& c : filter_cases) {
        EXPECT_EQ(gpais::ui::filter_string(c.types), c.expected) << c.name;
        EXPECT_EQ(gpais::ui::usable_filter_count(c.types), c.usable) << c.name;
    }
}

struct IndexCase {
    const char* name;
    unsigned index;
    std::size_t usable;
    unsigned expected;
};

const IndexCase index_cases[] = {
    {"the program's index 1 stays", 1, 1, 1},
    {"0 selects the first pair", 0, 2, 1},
    {"an index past the last pair selects the last", 5, 2, 2},
    {"without pairs nothing is selected", 1, 0, 0},
};

TEST(ChooserFields, LimitsTheFilterIndex) {
    for (const IndexCase& c : index_cases) {
        EXPECT_EQ(gpais::ui::limit_filter_index(c.index, c.usable), c.expected) << c.name;
    }
}

TEST(ChooserFields, DefaultExtensionLosesOnlyItsDot) {
    EXPECT_EQ(gpais::ui::extension_without_dot(".xml"), "xml");
    EXPECT_EQ(gpais::ui::extension_without_dot(".log"), "log");
    EXPECT_EQ(gpais::ui::extension_without_dot("xml"), "xml");
    EXPECT_EQ(gpais::ui::extension_without_dot(""), "");
}

struct ResultCase {
    const char* name;
    std::u16string buffer;
    std::u16string expected;
    std::string first_path;
};

const ResultCase result_cases[] = {
    {"a single path ends at its NUL", u"C:\\Duomenys\\a.xml\0\0\0\0"s, u"C:\\Duomenys\\a.xml",
     "C:\\Duomenys\\a.xml"},
    {"a multiple choice keeps folder and names, the edit gets the folder",
     u"C:\\Duomenys\0a.xml\0b.xml\0\0\0"s, u"C:\\Duomenys\0a.xml\0b.xml"s, "C:\\Duomenys"},
    {"a path filling the buffer up to one NUL is whole", u"C:\\x.xml\0"s, u"C:\\x.xml",
     "C:\\x.xml"},
    {"a buffer without NUL is taken whole", u"C:\\x.xml", u"C:\\x.xml", "C:\\x.xml"},
    {"a cancelled choice leaves nothing", u"\0\0\0"s, u"", ""},
};

std::string narrow(std::u16string_view text) {
    // The cases hold ASCII only.
    return std::string(text.begin(), text.end());
}

TEST(ChooserFields, CutsTheChoosersAnswer) {
    for (const ResultCase& c : result_cases) {
        const std::u16string_view result = gpais::ui::chooser_result(std::u16string_view{c.buffer});
        EXPECT_EQ(std::u16string{result}, c.expected) << c.name;
        EXPECT_EQ(gpais::ui::first_path(narrow(result)), c.first_path) << c.name;
    }
}

}  // namespace

// The save chooser's own settings, which the run leaves to the Windows side: a product list is
// saved as one, and so are the lists and logs a browse button opens.
TEST(ChooserFields, ChoosersOfferTheirOneFileType) {
    struct SettingsCase {
        const char* name;
        gpais::ui::ChooserSettings settings;
        std::string extension;
        gpais::ChooserText text;
    };
    const SettingsCase cases[] = {
        {"saving the list", gpais::ui::list_save_settings(), ".xml", gpais::messages::list_chooser},
        {"opening an error log", gpais::ui::chooser_settings(gpais::messages::log_chooser, ".log"),
         ".log", gpais::messages::log_chooser},
    };
    for (const SettingsCase& c : cases) {
        EXPECT_EQ(c.settings.default_extension, c.extension) << c.name;
        ASSERT_EQ(c.settings.file_types.size(), 1u) << c.name;
        EXPECT_EQ(c.settings.file_types[0].description, c.text.file_type) << c.name;
        EXPECT_EQ(c.settings.file_types[0].pattern, c.text.pattern) << c.name;
        EXPECT_EQ(c.settings.filter_index, 1u) << c.name;
    }
}
