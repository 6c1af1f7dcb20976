// A failure nobody checks for, met by the built gpais-filter: a product list too large to hold
// in memory. The command runs under a small address-space limit, so the allocation fails
// however much memory the machine has, and the list is a sparse file that costs no disk.
#ifdef GPAIS_FILTER_BINARY

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_io.hpp"
#include "tests/support/golden_report.hpp"
#include "tests/support/temp_folder.hpp"

#if defined(__SANITIZE_ADDRESS__)
#define GPAIS_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GPAIS_UNDER_ASAN 1
#endif
#endif

namespace gpais::cli {
namespace {

using testing::TempFolder;

constexpr std::string_view huge_list = "didelis sąrašas.xml";
constexpr std::uintmax_t huge_size = std::uintmax_t{3500} << 20;
const std::string separator(128, '=');

std::string shell_quoted(std::string_view text) {
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

struct Result {
    int exit_code = -1;
    std::string err;
};

Result run_limited(const TempFolder& folder, const std::vector<std::string>& arguments) {
    // 600 MB of address space: plenty for the command, far too little for the list.
    std::string command = "cd " + shell_quoted(folder.path().string()) +
                          " && ulimit -v 600000 && " + shell_quoted(GPAIS_FILTER_BINARY);
    for (const std::string& argument : arguments)
        command += " " + shell_quoted(argument);
    const std::string err = (folder.path() / "..stderr").string();
    command += " >/dev/null 2>" + shell_quoted(err);
    const int status = std::system(command.c_str());
    Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_whole_file(err)};
    std::filesystem::remove(err);
    return result;
}

struct CrashCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string earlier_log;  // Klaidos.log before the run; empty for none
    const char* golden;       // the report appended
};

TEST(Crash, TooLargeProductListIsReportedInTheCurrentFolder) {
#ifdef GPAIS_UNDER_ASAN
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    const CrashCase cases[] = {
        {"period mode, first report",
         {"--from", "2026-11-01", "--to", "2026-11-30", std::string(huge_list)},
         "",
         "memory_in_period_mode"},
        {"error-log mode: the third argument shows as not passed",
         {"--errors", "klaidos.log", std::string(huge_list)},
         "",
         "memory_in_error_log_mode"},
        {"a second report follows the first one's separator directly",
         {"--from", "2026-11-01", "--to", "2026-11-30", std::string(huge_list)},
         "2026-11-30 10:00:00.000\r\n\r\nKlaida: ankstesnė\r\n" + separator,
         "memory_in_period_mode"},
    };
    for (const CrashCase& c : cases) {
        TempFolder folder;
        folder.write(huge_list, "");
        std::filesystem::resize_file(
            folder.path() / std::u8string(huge_list.begin(), huge_list.end()), huge_size);
        if (!c.earlier_log.empty())
            folder.write("Klaidos.log", c.earlier_log);

        const Result result = run_limited(folder, c.arguments);

        EXPECT_EQ(result.exit_code, 1) << c.name;
        EXPECT_EQ(result.err,
                  "Klaida: Įvyko klaida.\nPraneškite programuotojams.\nEl.paštu: "
                  "support@gpais-filtras.lt\n")
            << c.name;
        const std::string log = read_whole_file(folder.utf8("Klaidos.log"));
        ASSERT_TRUE(log.starts_with(c.earlier_log)) << c.name << ": the earlier report changed";
        testing::expect_golden_report(c.golden, std::string_view(log).substr(c.earlier_log.size()));
    }
}

}  // namespace
}  // namespace gpais::cli

#endif  // GPAIS_FILTER_BINARY
