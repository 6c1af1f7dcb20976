// The other tests compare what is shown with the table, so this one holds the table itself to
// the exact words, captions and icons the person has always been shown.
#include "filter/messages.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace gpais {
namespace {

struct MessageCase {
    const char* name;
    Message actual;
    std::string_view text;
    std::string_view caption;
    Icon icon;
};

struct ChooserCase {
    const char* name;
    ChooserText actual;
    std::string_view title;
    std::string_view file_type;
    std::string_view pattern;
};

TEST(Messages, EveryEntryKeepsItsWords) {
    const ComposedMessage written_0 = messages::file_written(0);
    const ComposedMessage written_1 = messages::file_written(1);
    const ComposedMessage written_large = messages::file_written(1234567);
    const ComposedMessage not_written = messages::file_not_written(
        "C:\\Gaminių sąrašai\\naujas.xml", "Failas pažymėtas tik skaitymui.");
    const ComposedMessage not_written_empty = messages::file_not_written("", "");
    const ComposedMessage list_not_read =
        messages::with_line(messages::bad_product_list, "Nėra tokio failo.");
    const MessageCase cases[] = {
        {"bad product list", messages::bad_product_list, "Blogas nurodyto failo turinys", "Klaida",
         Icon::error},
        {"no codes", messages::no_codes, "Klaidų faile neradau produktų kodų", "Klaida",
         Icon::error},
        {"nothing kept", messages::nothing_kept, "Gaila bet neradau nei vienos tinkamos pozicijos",
         "Informacija", Icon::warning},
        {"bad period", messages::bad_period, "Blogai nurodytos periodo datos", "Pranešimas",
         Icon::warning},
        {"no product list", messages::no_product_list, "Nenurodytas pradinis failas", "Pranešimas",
         Icon::warning},
        {"dropped folder", messages::dropped_folder, "Nurodytas aplankas, o ne failas",
         "Pranešimas", Icon::warning},
        {"written, none", written_0.view(), "Sveikinu, failas suformuotas su 0 pozicijoms.",
         "Informacija", Icon::information},
        {"written, one", written_1.view(), "Sveikinu, failas suformuotas su 1 pozicijoms.",
         "Informacija", Icon::information},
        {"written, many", written_large.view(),
         "Sveikinu, failas suformuotas su 1234567 pozicijoms.", "Informacija", Icon::information},
        {"not written", not_written.view(),
         "Nepavyko įrašyti failo: C:\\Gaminių sąrašai\\naujas.xml\nFailas pažymėtas tik "
         "skaitymui.",
         "Klaida", Icon::error},
        {"not written, empty path and cause", not_written_empty.view(),
         "Nepavyko įrašyti failo: \n", "Klaida", Icon::error},
        {"a message with a second line keeps its caption and icon", list_not_read.view(),
         "Blogas nurodyto failo turinys\nNėra tokio failo.", "Klaida", Icon::error},
    };
    for (const MessageCase& c : cases) {
        EXPECT_EQ(c.actual.text, c.text) << c.name;
        EXPECT_EQ(c.actual.caption, c.caption) << c.name;
        EXPECT_EQ(c.actual.icon, c.icon) << c.name;
    }
    // The message box takes these numbers as its icon flags.
    EXPECT_EQ(static_cast<unsigned>(Icon::error), 16u);
    EXPECT_EQ(static_cast<unsigned>(Icon::warning), 48u);
    EXPECT_EQ(static_cast<unsigned>(Icon::information), 64u);

    const ChooserCase choosers[] = {
        {"product list chooser", messages::list_chooser, "GPAIS failų tvarkytojas",
         "GPAIS failai (*.xml)", "*.xml"},
        {"error log chooser", messages::log_chooser, "GPAIS klaidų failas",
         "GPAIS klaidos (*.log,*.txt)", "*.log;*.txt"},
    };
    for (const ChooserCase& c : choosers) {
        EXPECT_EQ(c.actual.title, c.title) << c.name;
        EXPECT_EQ(c.actual.file_type, c.file_type) << c.name;
        EXPECT_EQ(c.actual.pattern, c.pattern) << c.name;
    }
}

}  // namespace
}  // namespace gpais
