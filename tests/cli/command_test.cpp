// Runs the built gpais-filter on files in a fresh folder and checks what a script would see:
// the exit code, the lines on standard error and the bytes written.
#ifdef GPAIS_FILTER_BINARY

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "filter/messages.hpp"
#include "io/file_io.hpp"
#include "tests/support/product_list.hpp"
#include "tests/support/temp_folder.hpp"

namespace gpais::cli {
namespace {

using testing::TempFolder;

using testing::a1_in_november;
using testing::b2_before_november;
using testing::c3_in_november;

const std::string& head = testing::list_head;
std::string position(const std::string& code, const std::string& date) {
    return testing::list_position("baterija", code, date);
}
const std::string list =
    testing::product_list("baterija", {a1_in_november, b2_before_november, c3_in_november});
const std::string in_november = testing::product_list("baterija", {a1_in_november, c3_in_november});
const std::string with_b2 = testing::product_list("baterija", {b2_before_november});

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) {
        if (c == '\'') {
            result += "'\\''";
        } else {
            result += c;
        }
    }
    return result + "'";
}

// A message as the command prints it: its text on a line of its own.
std::string line(const Message& message) {
    return std::string(message.text) + "\n";
}
std::string line(const ComposedMessage& message) {
    return line(message.view());
}

struct Result {
    int exit_code;
    std::string out;
    std::string err;
};

// Arguments are given as written on a command line, with "@" standing for the folder.
Result run(const TempFolder& folder, const std::vector<std::string>& arguments) {
    std::string command =
        "cd " + quoted(folder.path().string()) + " && " + quoted(GPAIS_FILTER_BINARY);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    const std::string out = (folder.path() / "..stdout").string();
    const std::string err = (folder.path() / "..stderr").string();
    command += " >" + quoted(out) + " 2>" + quoted(err);
    const int status = std::system(command.c_str());
    Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_whole_file(out),
                  read_whole_file(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

struct CommandCase {
    const char* name;
    std::vector<std::string> arguments;
    int exit_code;
    std::string err;
    std::string out;
    const char* written_file;  // checked to hold `written` afterwards, or null
    std::string written;
};

TEST(Command, EndToEnd) {
    const CommandCase cases[] = {
        {"period mode into a named file",
         {"--from", "2026-11-01", "--to", "2026-11-30", "-o", "naujas.xml", "sąrašas.xml"},
         0,
         line(messages::file_written(2)),
         "",
         "naujas.xml",
         in_november},
        {"error-log mode to standard output",
         {"--errors", "klaidos.log", "-o", "-", "sąrašas.xml"},
         0,
         line(messages::file_written(1)),
         with_b2,
         nullptr,
         ""},
        {"missing product list: the cause on a second line",
         {"--errors", "klaidos.log", "nėra.xml"},
         1,
         line(messages::with_line(messages::bad_product_list, "Nėra tokio failo.")),
         "",
         nullptr,
         ""},
        {"product list in a missing folder",
         {"--errors", "klaidos.log", "nėra/sąrašas.xml"},
         1,
         line(messages::with_line(messages::bad_product_list, "Nėra tokio aplanko.")),
         "",
         nullptr,
         ""},
        {"a folder named as the product list",
         {"--errors", "klaidos.log", "aplankas_ž"},
         1,
         line(messages::with_line(messages::bad_product_list, "Nurodytas kelias yra aplankas.")),
         "",
         nullptr,
         ""},
        {"missing error log: the cause on a second line",
         {"--errors", "nėra.log", "sąrašas.xml"},
         1,
         line(messages::with_line(messages::no_codes, "Nėra tokio failo.")),
         "",
         nullptr,
         ""},
        {"a list cut off in the middle of a position is refused",
         {"--from", "2026-11-01", "--to", "2026-11-30", "-o", "-", "nutrukęs.xml"},
         1,
         line(messages::bad_product_list),
         "",
         nullptr,
         ""},
        {"error log without codes",
         {"--errors", "sąrašas.xml", "sąrašas.xml"},
         1,
         line(messages::no_codes),
         "",
         nullptr,
         ""},
        {"nothing in the period",
         {"--from", "2025-01-01", "--to", "2025-12-31", "sąrašas.xml"},
         1,
         line(messages::nothing_kept),
         "",
         nullptr,
         ""},
        {"output into a missing folder",
         {"--from", "2026-11-01", "--to", "2026-11-30", "-o", "nėra/naujas.xml", "sąrašas.xml"},
         1,
         line(messages::file_not_written("nėra/naujas.xml", "Nėra tokio aplanko.")),
         "",
         nullptr,
         ""},
        {"output onto a folder",
         {"--from", "2026-11-01", "--to", "2026-11-30", "-o", "aplankas_ž", "sąrašas.xml"},
         1,
         line(messages::file_not_written("aplankas_ž", "Nurodytas kelias yra aplankas.")),
         "",
         nullptr,
         ""},
        {"output over a read-only file leaves it as it was",
         {"--errors", "klaidos.log", "-o", "tik_skaitymui.xml", "sąrašas.xml"},
         1,
         line(messages::file_not_written("tik_skaitymui.xml", "Failas pažymėtas tik skaitymui.")),
         "",
         "tik_skaitymui.xml",
         "SENAS\r\n"},
        {"output over the product list replaces it",
         {"--errors", "klaidos.log", "-o", "kopija.xml", "kopija.xml"},
         0,
         line(messages::file_written(1)),
         "",
         "kopija.xml",
         with_b2},
        {"first date after the last",
         {"--from", "2026-11-30", "--to", "2026-11-01", "sąrašas.xml"},
         2,
         line(messages::bad_period),
         "",
         nullptr,
         ""},
        {"unknown option",
         {"--kas", "sąrašas.xml"},
         2,
         "Nežinomas parametras: --kas (unknown option)\ngpais-filter --help\n",
         "",
         nullptr,
         ""},
        {"no product list",
         {"--errors", "klaidos.log"},
         2,
         line(messages::no_product_list),
         "",
         nullptr,
         ""},
        {"version", {"--version"}, 0, "", "gpais-filter 1.0.0\n", nullptr, ""},
    };
    for (const CommandCase& c : cases) {
        TempFolder folder;
        folder.write("sąrašas.xml", list);
        folder.write("kopija.xml", list);
        folder.write("nutrukęs.xml", head + position("A1", "2026-11-05") + "  <prekinisVienetas>");
        folder.write("klaidos.log", "x vienetas su kodu: B2 (produktoKodas=B2) nerastas\r\n");
        std::filesystem::create_directory(folder.path() / u8"aplankas_ž");
        folder.write("tik_skaitymui.xml", "SENAS\r\n");
        std::filesystem::permissions(folder.path() / "tik_skaitymui.xml",
                                     std::filesystem::perms::owner_read);
        const Result result = run(folder, c.arguments);
        EXPECT_EQ(result.exit_code, c.exit_code) << c.name;
        EXPECT_EQ(result.err, c.err) << c.name;
        EXPECT_EQ(result.out, c.out) << c.name;
        if (c.written_file != nullptr) {
            EXPECT_EQ(read_whole_file(folder.utf8(c.written_file)), c.written) << c.name;
        }
        EXPECT_EQ(read_whole_file(folder.utf8("sąrašas.xml")), list) << c.name << ": input changed";
    }
}

TEST(Command, WithoutOutputWritesTheProposedNameBesideTheList) {
    TempFolder folder;
    folder.write("sąrašas.xml", list);
    const Result result =
        run(folder, {"--from", "2026-11-01", "--to", "2026-11-30", "sąrašas.xml"});
    EXPECT_EQ(result.exit_code, 0);
    const std::vector<std::string> names = folder.names();
    ASSERT_EQ(names.size(), 2u);
    // "sąrašas" + "_YYMMDD HHMM.xml", the same name the Windows program proposes.
    const std::string& made = names[0] == "sąrašas.xml" ? names[1] : names[0];
    ASSERT_EQ(made.size(), std::string("sąrašas_261207 0905.xml").size()) << made;
    EXPECT_EQ(made.substr(0, 10), "sąrašas_") << made;
    EXPECT_EQ(made.substr(made.size() - 4), ".xml") << made;
    EXPECT_EQ(read_whole_file(folder.utf8(made)), in_november);
}

TEST(Command, HelpIsPrintedInBothLanguages) {
    TempFolder folder;
    const Result result = run(folder, {"--help"});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_NE(result.out.find("Naudojimas"), std::string::npos);
    EXPECT_NE(result.out.find("Usage"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace gpais::cli

#endif
