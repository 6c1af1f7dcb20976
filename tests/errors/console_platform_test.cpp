#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "errors/console_platform.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Windows removes no file marked read-only, so the marks go first.
void wipe(const fs::path& folder) {
    gpais::testing::remove_tree(folder);
}

// The logs are named bare, so they land in the current folder and grow by whole entries.
TEST(ConsolePlatform, AppendsByBareNameInTheCurrentFolder) {
    const fs::path folder = fs::temp_directory_path() / "gpais_errors_console_test";
    wipe(folder);
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    gpais::ErrorPlatform& platform = gpais::console_error_platform();
    struct Case {
        std::string bytes;
        gpais::LogAccess access;
        std::string expected_total;
    };
    const Case cases[] = {
        {"report\r\n" + std::string(128, '='), gpais::LogAccess::read_write,
         "report\r\n" + std::string(128, '=')},
        {"next", gpais::LogAccess::write_only, "report\r\n" + std::string(128, '=') + "next"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(platform.append_to_file("Klaidos.log", c.bytes, c.access));
        EXPECT_EQ(read_all(folder / "Klaidos.log"), c.expected_total);
    }
    EXPECT_FALSE(
        platform.append_to_file("no-such-folder/Logas.log", "x", gpais::LogAccess::write_only));

    // A start folder of 300 characters still gets its report (three names of 100: no one name
    // may be longer than 255).
    const fs::path deep =
        folder / std::string(99, 'a') / std::string(99, 'b') / std::string(99, 'c');
    fs::create_directories(gpais::testing::reachable(deep));
    const std::u8string deep_log = (deep / "Klaidos.log").u8string();
    EXPECT_TRUE(platform.append_to_file(std::string(deep_log.begin(), deep_log.end()), "report",
                                        gpais::LogAccess::read_write));
    EXPECT_EQ(read_all(gpais::testing::reachable(deep / "Klaidos.log")), "report");

    // Kept read-only by its owner: unchanged even for the superuser.
    const std::string kept = read_all(folder / "Klaidos.log");
    fs::permissions(folder / "Klaidos.log", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(platform.append_to_file("Klaidos.log", "more", gpais::LogAccess::read_write));
    EXPECT_EQ(read_all(folder / "Klaidos.log"), kept);
    fs::current_path(before);
    wipe(folder);
}

}  // namespace
