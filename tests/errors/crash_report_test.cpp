#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors/crash_report.hpp"
#include "fake_platform.hpp"

namespace {

using gpais::ErrorRecord;
using gpais::ReportFacts;
using gpais::rt::Level;
using gpais::rt::List;
using gpais::rt::Value;

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

ReportFacts known_facts() {
    ReportFacts facts;
    facts.time = {2026, 12, 7, 9, 5, 3, 7};
    facts.command_line = "gpais-filtras.exe C:\\a.xml";
    facts.product_name = "Windows 10 Pro";
    facts.release_id = "2009";
    facts.build_lab = "19041.1";
    facts.toolchain = "GCC: 12.2.0, 2026-12-01";
    facts.computer = "PC1";
    facts.user = "Jonas";
    return facts;
}

const std::string tail =
    "EXE failas:  gpais-filtras.exe C:\\a.xml\r\n"
    "Versijos:\r\n"
    "  OS: Windows 10 Pro 2009 19041.1\r\n"
    "  GCC: 12.2.0, 2026-12-01\r\n"
    "Kompiuteris: PC1\r\n"
    "Vartotojas: Jonas\r\n"
    "\r\n";

TEST(CrashReport, BareRecordHasOnlyTheErrorLine) {
    const ErrorRecord record{.GENCODE = 5, .SUBCODE = 1, .SUBSYSTEM = "BASE"};
    const std::vector<Level> levels{{"MAIN", 3, {}, {}}};
    const std::string expected =
        "2026-12-07 09:05:03.007\r\n\r\n"
        "Klaida: BASE/EG_ZERODIV(5) 1\r\n"
        "\r\n"
        "Stekas: \r\n"
        "    MAIN(3)" +
        blanks(21) +
        "()\r\n"
        "\r\n" +
        tail;
    EXPECT_EQ(gpais::build_crash_report(record, levels, known_facts()), expected);
}

TEST(CrashReport, EveryOptionalLineAndTheStack) {
    const ErrorRecord record{.ARGS = List{"abc", 10},
                             .DESCRIPTION = "Nepavyko atidaryti",
                             .FILENAME = "C:\\duomenys\\sąrašas.xml",
                             .GENCODE = 21,
                             .OPERATION = "FOPEN",
                             .OSCODE = 5,
                             .SUBCODE = 2011,
                             .SUBSYSTEM = "BASE"};
    const std::vector<Level> levels{
        {"FOPEN", 0, {"C:\\duomenys\\sąrašas.xml"}, {}},
        // three declared parameters, called with two: the third leads the locals as NIL
        {"TINKADAT", 41, {1, "a"}, {Value{}, true}},
        {"ABCDEFGHIJKLMNOPQRSTUVW", 12, {}, {}},    // head of 31 characters
        {"ABCDEFGHIJKLMNOPQRSTUVWX", 12, {}, {}},   // 32
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", 12, {}, {}},  // 33
        {"ĄČĘĖĮŠŲŪŽ", 7, {}, {List{}}},             // 16 characters, 25 bytes
    };
    const std::string expected =
        "2026-12-07 09:05:03.007\r\n\r\n"
        "Klaida: BASE/EG_OPEN(21) 2011\r\n"
        "Failas: C:\\duomenys\\sąrašas.xml\r\n"
        "Aprašymas: Nepavyko atidaryti\r\n"
        "Operacija: FOPEN\r\n"
        "OS klaida: 5\r\n"
        "Argumentai:\r\n"
        "    1: \"abc\"\r\n"
        "    2: 10\r\n"
        "\r\n"
        "Stekas: \r\n"
        "    FOPEN(0)" +
        blanks(20) +
        "(\"C:\\duomenys\\sąrašas.xml\")\r\n"
        "    TINKADAT(41)" +
        blanks(16) +
        "(1, \"a\"), NIL, .T.\r\n"
        "    ABCDEFGHIJKLMNOPQRSTUVW(12) ()\r\n"
        "    ABCDEFGHIJKLMNOPQRSTUVWX(12) ()\r\n"
        "    ABCDEFGHIJKLMNOPQRSTUVWXY(12) ()\r\n"
        "    ĄČĘĖĮŠŲŪŽ(7)" +
        blanks(16) +
        "(), {}\r\n"
        "\r\n" +
        tail;
    EXPECT_EQ(gpais::build_crash_report(record, levels, known_facts()), expected);
}

TEST(CrashReport, UnnamedCodeAndEmptyArgumentList) {
    const ErrorRecord record{.ARGS = List{}, .GENCODE = 9, .SUBSYSTEM = "C++"};
    const std::string report = gpais::build_crash_report(record, {}, known_facts());
    EXPECT_NE(report.find("\r\n\r\nKlaida: C++/(9) 0\r\nArgumentai:\r\n\r\nStekas: \r\n\r\nEXE"),
              std::string::npos)
        << report;
}

TEST(CrashReport, WindowsVersionLineLeavesOutWhatCannotBeRead) {
    struct Case {
        const char* name;
        std::optional<std::string> product, release, build;
        std::string expected;
    };
    const Case cases[] = {
        {"all_three", "Windows 10 Pro", "2009", "19041.1", "  OS: Windows 10 Pro 2009 19041.1\r\n"},
        {"no_release_id", "Windows 11 Pro", std::nullopt, "22621.1",
         "  OS: Windows 11 Pro 22621.1\r\n"},
        {"no_product_keeps_blank", std::nullopt, "2009", "19041.1", "  OS:  2009 19041.1\r\n"},
        {"nothing_readable", std::nullopt, std::nullopt, std::nullopt, "  OS: \r\n"},
    };
    for (const auto& c : cases) {
        ReportFacts facts = known_facts();
        facts.product_name = c.product;
        facts.release_id = c.release;
        facts.build_lab = c.build;
        const std::string report = gpais::build_crash_report(ErrorRecord{}, {}, facts);
        EXPECT_NE(report.find("Versijos:\r\n" + c.expected + "  GCC"), std::string::npos)
            << c.name << "\n"
            << report;
    }
}

TEST(CrashReport, ComputerAndUserFallBackToTheEnvironment) {
    struct Case {
        const char* name;
        std::string computer, hostname, user, user_env;
        std::string expected;
    };
    const Case cases[] = {
        {"system_names", "PC1", "env-host", "Jonas", "env-user",
         "Kompiuteris: PC1\r\nVartotojas: Jonas\r\n\r\n"},
        {"environment_names", "", "env-host", "", "env-user",
         "Kompiuteris: env-host\r\nVartotojas: env-user\r\n\r\n"},
        {"no_user_keeps_line", "", "", "", "", "Kompiuteris: \r\nVartotojas: \r\n\r\n"},
    };
    for (const auto& c : cases) {
        gpais::testing::FakePlatform platform;
        platform.computer = c.computer;
        platform.user = c.user;
        platform.env = {{"HOSTNAME", c.hostname}, {"USER", c.user_env}};
        const std::string report =
            gpais::build_crash_report(ErrorRecord{}, {}, gpais::gather_report_facts(platform));
        ASSERT_GE(report.size(), c.expected.size());
        EXPECT_EQ(report.substr(report.size() - c.expected.size()), c.expected) << c.name;
    }
}

TEST(CrashReport, ToolchainNamesThisBuild) {
    const std::string text = gpais::toolchain_text();
    EXPECT_NE(text.find(": "), std::string::npos);
    // ends in the build date, YYYY-MM-DD
    ASSERT_GE(text.size(), 12u);
    const std::string date = text.substr(text.size() - 10);
    EXPECT_EQ(text.substr(text.size() - 12, 2), ", ");
    EXPECT_EQ(date[4], '-');
    EXPECT_EQ(date[7], '-');
    EXPECT_EQ(date.substr(0, 2), "20");
}

}  // namespace
