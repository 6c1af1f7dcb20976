#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "errors/console_platform.hpp"

namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Windows removes no file marked read-only, so the marks go first.
void wipe(const fs::path& folder) {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
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

    // Kept read-only by its owner: unchanged even for the superuser.
    const std::string kept = read_all(folder / "Klaidos.log");
    fs::permissions(folder / "Klaidos.log", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(platform.append_to_file("Klaidos.log", "more", gpais::LogAccess::read_write));
    EXPECT_EQ(read_all(folder / "Klaidos.log"), kept);
    fs::current_path(before);
    wipe(folder);
}

}  // namespace
