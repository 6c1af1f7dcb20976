// A report that must land however little memory is left, in the folder the program was started
// in, with its columns counted as the rest of the program counts characters.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/paths.hpp"
#include "errors/crash_report.hpp"
#include "errors/error_handler.hpp"
#include "errors/raise.hpp"
#include "errors/trace_log.hpp"
#include "fake_platform.hpp"
#include "rt/call_levels.hpp"
#include "tests/support/character_counts.hpp"
#include "tests/support/report_stack.hpp"

namespace {

using gpais::ErrorRecord;
using gpais::ReportFacts;
using gpais::ReportForm;
using gpais::rt::Level;
using gpais::rt::List;
using gpais::rt::Value;
using gpais::testing::FakePlatform;
using gpais::testing::run_as_process;
using gpais::testing::stack_lines;

const std::string separator(128, '=');

ErrorRecord fatal_record() {
    ErrorRecord record;
    record.SUBSYSTEM = "BASE";
    record.GENCODE = 2;
    return record;
}

std::string stack_line_of(const Level& level, ReportForm form) {
    const std::string report =
        gpais::build_crash_report(fatal_record(), {level}, ReportFacts{}, form);
    const std::vector<std::string> lines = stack_lines(report);
    return lines.size() == 1 ? lines[0] : "(" + std::to_string(lines.size()) + " stack lines)";
}

List numbers(int count) {
    List list;
    for (int i = 1; i <= count; ++i)
        list.emplace_back(i);
    return list;
}

std::string numbers_text(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += (i > 1 ? ", " : "") + std::to_string(i);
    return text;
}

TEST(ShortenedReport, LongTextsAndListsOnly) {
    const std::string head = std::string(32 - 8, ' ');  // the padding after "    F(1)"
    struct Case {
        const char* name;
        Value value;
        std::string whole;      // how the whole report writes it
        std::string shortened;  // how the shortened one does
    };
    const std::string kib64(64 * 1024, 'a');
    const std::string over = kib64 + "b";
    const std::string quoted = "\"" + std::string(70000, 'q');
    const std::string lines = std::string(70000, 'x') + "\n";
    const Case cases[] = {
        {"text of 64 KiB stays whole", kib64, '"' + kib64 + '"', '"' + kib64 + '"'},
        {"one byte more is cut to 4096", over, '"' + over + '"',
         '"' + std::string(4096, 'a') + "\" … (65537 baitų)"},
        {"the cut text keeps the delimiters of the whole", quoted, "'" + quoted + "'",
         "'" + quoted.substr(0, 4096) + "' … (70001 baitų)"},
        {"and its e-form", lines, "e\"" + std::string(70000, 'x') + "\\n\"",
         "e\"" + std::string(4096, 'x') + "\" … (70001 baitų)"},
        {"1000 elements stay whole", numbers(1000), "{" + numbers_text(1000) + "}",
         "{" + numbers_text(1000) + "}"},
        {"1001 are cut to 1000", numbers(1001), "{" + numbers_text(1001) + "}",
         "{" + numbers_text(1000) + " … (1001 elementų)}"},
        {"nested lists are cut too", List{numbers(1001)}, "{{" + numbers_text(1001) + "}}",
         "{{" + numbers_text(1000) + " … (1001 elementų)}}"},
    };
    for (const auto& c : cases) {
        const Level level{"F", 1, {c.value}, {}};
        EXPECT_EQ(stack_line_of(level, ReportForm::whole), "    F(1)" + head + "(" + c.whole + ")")
            << c.name;
        EXPECT_EQ(stack_line_of(level, ReportForm::shortened),
                  "    F(1)" + head + "(" + c.shortened + ")")
            << c.name;
    }
}

// The report is made in one buffer of its own size with room for the separator: appending the
// 128 "=" must not move it, which would need the report's room twice.
TEST(ShortenedReport, WholeReportHasRoomForTheSeparator) {
    const std::string document(1 << 20, 'd');
    const std::vector<Level> levels{{"ATRINKPOZICIJAS", 7, {"a.xml"}, {document}}};
    std::string report = gpais::build_crash_report(fatal_record(), levels, ReportFacts{},
                                                   ReportForm::whole, separator.size());
    const char* before = report.data();
    report += separator;
    EXPECT_EQ(report.data(), before);
    EXPECT_NE(report.find(document), std::string::npos);
}

// A report longer than a string can hold is refused before anything is taken. The shipped
// 32-bit program's strings hold about 1 GiB, less than a report holding a document twice needs;
// here the largest size is made small, and the room asked for after the report large enough
// that the count would wrap to nothing were it not stopped at its type's maximum.
TEST(ShortenedReport, ReportPastTheLargestSizeIsRefused) {
    const std::string document(100000, 'd');
    const std::vector<Level> levels{{"ATRINKPOZICIJAS", 7, {"a.xml"}, {document}}};
    const std::size_t whole = gpais::build_crash_report(fatal_record(), levels, {}).size();
    struct Case {
        const char* name;
        std::size_t room_after;
        std::size_t largest_report;
        bool made;
    };
    const Case cases[] = {
        {"a report and room that fill the largest size are made", 128, whole + 128, true},
        {"one byte more is refused", 129, whole + 128, false},
        {"a document longer than the largest size is refused", 0, document.size() / 2, false},
        {"room that wraps the count to nothing is refused", SIZE_MAX - whole + 1,
         std::string().max_size(), false},
    };
    for (const auto& c : cases) {
        const auto build = [&] {
            return gpais::build_crash_report(fatal_record(), levels, {}, ReportForm::whole,
                                             c.room_after, c.largest_report);
        };
        if (c.made)
            EXPECT_EQ(build().size(), whole) << c.name;
        else
            EXPECT_THROW((void)build(), std::length_error) << c.name;
    }
}

// The stack columns count characters by the rule the filter counts them by.
TEST(ShortenedReport, StackColumnsCountCharactersAsTheFilterDoes) {
    for (const auto& c : gpais::testing::character_counts) {
        const Level level{c.text, 5, {}, {}};
        const std::string line = stack_line_of(level, ReportForm::whole);
        // four blanks, the name, "(5)", padded to 32 characters, then "()"
        const std::size_t head_characters = 4 + c.characters + 3;
        const std::string expected =
            "    " + c.text + "(5)" + std::string(32 - head_characters, ' ') + "()";
        EXPECT_EQ(line, expected) << c.name;
    }
}

class ReportUnderPressure : public ::testing::Test {
  protected:
    void SetUp() override {
        gpais::set_error_platform(platform);
        gpais::ERRORSYS();
    }
    void TearDown() override { gpais::remember_start_folder({}); }
    FakePlatform platform;
};

// The whole report cannot be made (the first allocation failure is forced inside the report
// builder): the shortened one is written instead, once, with every level in order, and the
// person is told and the process ends as always.
TEST_F(ReportUnderPressure, AllocationFailureGivesTheShortenedReport) {
    int failures_left = 1;
    platform.on_user_name = [&failures_left] {
        if (failures_left-- > 0)
            throw std::bad_alloc();
    };
    const std::string document = std::string(100000, 'x') + "\r\n";
    const auto exit_code = run_as_process([&] {
        const List positions = numbers(1500);
        GPAIS_LEVEL("MAIN");
        [&] {
            const std::string_view path = "C:\\sąrašas.xml";
            GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(path), GPAIS_LOCALS(document, positions));
            (void)gpais::raise_error(fatal_record());
        }();
    });
    EXPECT_EQ(exit_code, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, gpais::crash_message());
    EXPECT_EQ(platform.dialogs_ended, 1);

    const std::string& log = platform.files["Klaidos.log"];
    EXPECT_TRUE(log.ends_with("\r\n\r\n" + separator));
    EXPECT_EQ(log.find(separator), log.size() - separator.size()) << "one report only";
    const std::vector<std::string> stack = stack_lines(log);
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_TRUE(stack[0].starts_with("    ATRINKPOZICIJAS(")) << stack[0].substr(0, 40);
    EXPECT_TRUE(stack[0].ends_with(" (\"C:\\sąrašas.xml\"), e\"" + std::string(4096, 'x') +
                                   "\" … (100002 baitų), {" + numbers_text(1000) +
                                   " … (1500 elementų)}"))
        << stack[0].substr(0, 80);
    EXPECT_TRUE(stack[1].starts_with("    MAIN(")) << stack[1];
    EXPECT_NE(log.find("\r\nVartotojas: Jonas\r\n"), std::string::npos);
}

// The whole report is made, but no memory is left to write it with: the shortened one is
// written instead, and only it.
TEST_F(ReportUnderPressure, AllocationFailureInTheWriteGivesTheShortenedReport) {
    int failures_left = 1;
    platform.on_append = [&failures_left] {
        if (failures_left-- > 0)
            throw std::bad_alloc();
    };
    const std::string document(100000, 'x');
    const auto exit_code = run_as_process([&] {
        GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(document));
        (void)gpais::raise_error(fatal_record());
    });
    EXPECT_EQ(exit_code, 1);
    EXPECT_EQ(platform.messages.size(), 1u);
    const std::string& log = platform.files["Klaidos.log"];
    EXPECT_EQ(log.find(separator), log.size() - separator.size()) << "one report only";
    const std::vector<std::string> stack = stack_lines(log);
    ASSERT_EQ(stack.size(), 1u);
    EXPECT_TRUE(stack[0].ends_with(" (\"" + std::string(4096, 'x') + "\" … (100000 baitų))"))
        << stack[0].substr(0, 40) << "…" << stack[0].substr(stack[0].size() - 40);
}

// With memory enough, the same levels give the whole report.
TEST_F(ReportUnderPressure, WithoutFailureTheReportIsWhole) {
    const std::string document = std::string(100000, 'x') + "\r\n";
    const auto exit_code = run_as_process([&] {
        GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(document));
        (void)gpais::raise_error(fatal_record());
    });
    EXPECT_EQ(exit_code, 1);
    const std::string& log = platform.files["Klaidos.log"];
    EXPECT_NE(log.find("e\"" + std::string(100000, 'x') + "\\r\\n\""), std::string::npos);
    EXPECT_EQ(log.find(" baitų)"), std::string::npos);
}

// A whole report that a string cannot hold gives the shortened one, as running out of memory
// does; the separator's room counts.
TEST_F(ReportUnderPressure, ReportPastTheLargestSizeGivesTheShortenedOne) {
    const std::string document(100000, 'x');
    GPAIS_LEVEL("ATRINKPOZICIJAS", GPAIS_ARGS(document));
    const std::size_t whole = gpais::GETERRORDESC(fatal_record()).size();
    const std::string cut = " (\"" + std::string(4096, 'x') + "\" … (100000 baitų))";
    struct Case {
        const char* name;
        std::size_t largest_report;
        bool shortened;
    };
    const Case cases[] = {
        {"room for the report and the separator keeps it whole", whole + separator.size(), false},
        {"a byte less gives the shortened one", whole + separator.size() - 1, true},
    };
    for (const auto& c : cases) {
        const std::string report =
            gpais::GETERRORDESC(fatal_record(), ReportForm::whole, c.largest_report);
        const std::vector<std::string> stack = stack_lines(report);
        ASSERT_EQ(stack.size(), 1u) << c.name;
        EXPECT_EQ(stack[0].ends_with(cut), c.shortened) << c.name;
        EXPECT_EQ(report.size() < whole, c.shortened) << c.name;
    }
}

// The current directory is taken once at start-up; a chooser that moves it later does not move
// the logs.
TEST_F(ReportUnderPressure, LogsStayInTheStartFolder) {
    platform.folder = "/darbai";
    gpais::install_error_handling(platform);
    platform.folder = "/darbai/poaplankis";  // where the save chooser left it
    (void)gpais::FLOG(5);
    const auto exit_code = run_as_process([] { (void)gpais::raise_error(fatal_record()); });
    EXPECT_EQ(exit_code, 1);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : platform.files)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "/darbai" + std::string(1, gpais::path_separator) + "Klaidos.log",
                         "/darbai" + std::string(1, gpais::path_separator) + "Logas.log"}));
}

}  // namespace
