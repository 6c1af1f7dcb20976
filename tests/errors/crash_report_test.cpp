#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors/crash_report.hpp"
#include "fake_platform.hpp"
#include "tests/support/golden_report.hpp"

namespace {

using gpais::ErrorRecord;
using gpais::ReportFacts;
using gpais::rt::Level;
using gpais::rt::List;
using gpais::rt::Value;

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

// Every fact is given, so the reports are compared as they are, unmasked.
TEST(CrashReport, MatchesItsGoldenCopy) {
    struct Case {
        const char* golden;
        ErrorRecord record;
        std::vector<Level> levels;
    };
    const Case cases[] = {
        {"bare_record", {.GENCODE = 5, .SUBCODE = 1, .SUBSYSTEM = "BASE"}, {{"MAIN", 3, {}, {}}}},
        {"every_optional_line",
         {.ARGS = List{"abc", 10},
          .DESCRIPTION = "Nepavyko atidaryti",
          .FILENAME = "C:\\duomenys\\sąrašas.xml",
          .GENCODE = 21,
          .OPERATION = "FOPEN",
          .OSCODE = 5,
          .SUBCODE = 2011,
          .SUBSYSTEM = "BASE"},
         {
             {"FOPEN", 0, {"C:\\duomenys\\sąrašas.xml"}, {}},
             // three declared parameters, called with two: the third leads the locals as NIL
             {"TINKADAT", 41, {1, "a"}, {Value{}, true}},
             {"ABCDEFGHIJKLMNOPQRSTUVW", 12, {}, {}},    // head of 31 characters
             {"ABCDEFGHIJKLMNOPQRSTUVWX", 12, {}, {}},   // 32
             {"ABCDEFGHIJKLMNOPQRSTUVWXY", 12, {}, {}},  // 33
             {"ĄČĘĖĮŠŲŪŽ", 7, {}, {List{}}},             // 16 characters, 25 bytes
         }},
        {"unnamed_code_empty_arguments", {.ARGS = List{}, .GENCODE = 9, .SUBSYSTEM = "C++"}, {}},
    };
    for (const Case& c : cases) {
        gpais::testing::expect_golden_report(
            c.golden, gpais::build_crash_report(c.record, c.levels, known_facts()), false);
    }
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
