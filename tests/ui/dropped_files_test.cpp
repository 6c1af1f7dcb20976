#include "ui/dropped_files.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using gpais::ui::DroppedItem;
using gpais::ui::DropResult;

}  // namespace

namespace gpais::ui {

// A failure names the fields' new texts instead of the result's bytes.
void PrintTo(const DropResult& result, std::ostream* out) {
    *out << "{list " << (result.product_list ? "\"" + *result.product_list + "\"" : "unchanged")
         << ", log " << (result.error_log ? "\"" + *result.error_log + "\"" : "unchanged")
         << (result.folder_refused ? ", folder refused}" : "}");
}

}  // namespace gpais::ui

namespace {

// Windows' own limit for a path in the long form; a dropped list may sit that deep.
const std::string deep_list = "C:\\" + std::string(300, 'a') + "\\Prekių sąrašas.xml";
const std::string lithuanian_log = "D:\\Mano dokumentai\\GPAIS klaidos ąčęėįšųūž.LOG";

struct Case {
    const char* name;
    std::vector<DroppedItem> dropped;
    DropResult expected;
};

const Case cases[] = {
    {"a product list fills \"Senas xml:\"",
     {{"C:\\GPAIS\\sąrašas.xml", false}},
     {"C:\\GPAIS\\sąrašas.xml", std::nullopt, false}},
    {"an error log fills its field",
     {{"C:\\GPAIS\\klaidos.log", false}},
     {std::nullopt, "C:\\GPAIS\\klaidos.log", false}},
    {"a .txt file is an error log too",
     {{"C:\\GPAIS\\klaidos.txt", false}},
     {std::nullopt, "C:\\GPAIS\\klaidos.txt", false}},
    {"the ending is read in any case, as Windows reads names",
     {{"C:\\GPAIS\\KLAIDOS.TxT", false}},
     {std::nullopt, "C:\\GPAIS\\KLAIDOS.TxT", false}},
    {"a name with Lithuanian letters, blanks and a capital ending arrives whole",
     {{lithuanian_log, false}},
     {std::nullopt, lithuanian_log, false}},
    {"a path longer than 260 characters arrives whole",
     {{deep_list, false}},
     {deep_list, std::nullopt, false}},
    {"any other file is taken for a product list, whatever its ending",
     {{"C:\\GPAIS\\sąrašas", false}},
     {"C:\\GPAIS\\sąrašas", std::nullopt, false}},
    {"a name that only holds \"log\" before its ending is a product list",
     {{"C:\\GPAIS\\klaidos.log.xml", false}},
     {"C:\\GPAIS\\klaidos.log.xml", std::nullopt, false}},
    {"\"log\" without its dot is no ending",
     {{"C:\\GPAIS\\klaidoslog", false}},
     {"C:\\GPAIS\\klaidoslog", std::nullopt, false}},
    {"a list and a log fill both fields",
     {{"C:\\a.xml", false}, {"C:\\b.log", false}},
     {"C:\\a.xml", "C:\\b.log", false}},
    {"a log and a list fill both fields, in whichever order they come",
     {{"C:\\b.txt", false}, {"C:\\a.xml", false}},
     {"C:\\a.xml", "C:\\b.txt", false}},
    {"two lists: the first is taken",
     {{"C:\\pirmas.xml", false}, {"C:\\antras.xml", false}},
     {"C:\\pirmas.xml", std::nullopt, false}},
    {"two logs: the first is taken",
     {{"C:\\pirmas.log", false}, {"C:\\antras.txt", false}},
     {std::nullopt, "C:\\pirmas.log", false}},
    {"three files: only the first is taken",
     {{"C:\\a.xml", false}, {"C:\\b.log", false}, {"C:\\c.xml", false}},
     {"C:\\a.xml", std::nullopt, false}},
    {"a folder is refused and no field changes",
     {{"C:\\GPAIS", true}},
     {std::nullopt, std::nullopt, true}},
    {"a folder named like a log is still a folder",
     {{"C:\\senos.log", true}},
     {std::nullopt, std::nullopt, true}},
    {"a folder beside a file refuses the whole drop",
     {{"C:\\a.xml", false}, {"C:\\GPAIS", true}},
     {std::nullopt, std::nullopt, true}},
    {"a folder first, then a file: refused as well",
     {{"C:\\GPAIS", true}, {"C:\\b.log", false}},
     {std::nullopt, std::nullopt, true}},
    {"nothing dropped changes nothing", {}, {std::nullopt, std::nullopt, false}},
};

TEST(DroppedFiles, EachKindFillsItsFieldAndAFolderNone) {
    for (const Case& c : cases) {
        EXPECT_EQ(gpais::ui::dropped_into_fields(c.dropped), c.expected) << c.name;
    }
}

}  // namespace
