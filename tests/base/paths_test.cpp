#include "base/paths.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

namespace {

TEST(JoinFolder, JoinsTheFolderAndTheBareName) {
    struct Case {
        const char* folder;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Darbai ąč", '\\', "C:\\Darbai ąč\\Klaidos.log"},
        {"C:\\", '\\', "C:\\Klaidos.log"},
        {"\\\\serveris\\bendras", '\\', "\\\\serveris\\bendras\\Klaidos.log"},
        {"/home/jonas", '/', "/home/jonas/Klaidos.log"},
        {"/", '/', "/Klaidos.log"},
        {"", '\\', "Klaidos.log"},
        {"C:", '\\', "C:Klaidos.log"},
        {"Z:/Darbai/", '\\', "Z:/Darbai/Klaidos.log"},
        {"/home/jonas\\", '/', "/home/jonas\\/Klaidos.log"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gpais::join_folder(c.folder, "Klaidos.log", c.separator), c.expected) << c.folder;
}

// What the save chooser is handed, the folder a temporary goes in and the folder a missing
// file's is looked for in: the folder apart, so that a name in a deep folder is still proposed
// there, and joined again the two give the path back.
TEST(SplitPath, NameGoesApartFromItsFolder) {
    const std::string deep = "C:\\" + std::string(300, 'a') + "\\";
    const struct {
        const char* name;
        std::string proposed;
        std::string folder;
        std::string file;
        char separator = '\\';
    } cases[] = {
        {"a full path", "C:\\Duomenys\\sąrašas_261207 0905.xml", "C:\\Duomenys\\",
         "sąrašas_261207 0905.xml"},
        {"a folder of 300 characters", deep + "s_261207 0905.xml", deep, "s_261207 0905.xml"},
        {"a bare name keeps the initial folder", "s_261207 0905.xml", "", "s_261207 0905.xml"},
        {"a relative path with a slash", "poaplankis/s.xml", "poaplankis/", "s.xml"},
        {"a name on a drive lies in the drive's own folder", "C:s.xml", "C:", "s.xml"},
        {"a long form keeps its prefix with the folder", "\\\\?\\C:\\D\\s.xml", "\\\\?\\C:\\D\\",
         "s.xml"},
        {"a POSIX path", "/home/jonas/s.xml", "/home/jonas/", "s.xml", '/'},
        {"a POSIX bare name lies in the current folder", "s.xml", "", "s.xml", '/'},
        {"a backslash is part of a POSIX name", "/home/a\\b.xml", "/home/", "a\\b.xml", '/'},
        {"a colon is part of a POSIX name", "C:s.xml", "", "C:s.xml", '/'},
    };
    for (const auto& c : cases) {
        const gpais::PathParts<char> split = gpais::split_path(c.proposed, c.separator);
        EXPECT_EQ(split.folder, c.folder) << c.name;
        EXPECT_EQ(split.name, c.file) << c.name;
        EXPECT_EQ(gpais::join_folder(split.folder, split.name, c.separator), c.proposed) << c.name;
        // The wide form of Windows' calls splits at the same place (the cases' separators are
        // ASCII, so each byte stands for itself).
        const std::wstring wide(c.proposed.begin(), c.proposed.end());
        EXPECT_EQ(gpais::split_path(wide, c.separator).folder.size(), c.folder.size()) << c.name;
    }
}

struct FolderCase {
    const char* name;
    std::string folder;
    std::string expected;
};

// "C:\" and `letters` Lithuanian letters, two UTF-8 bytes and one UTF-16 character each; in „“
// (three bytes, one character each) where `quoted`, so that 132 characters already take 263
// bytes. Windows' buffers count the characters.
std::string lithuanian_folder(std::size_t letters, bool quoted = false) {
    const std::string_view cycle[] = {"ą", "č", "ę", "ė", "į", "š", "ų", "ū", "ž"};
    std::string folder = quoted ? "C:\\„" : "C:\\";
    for (std::size_t at = 0; at < letters; ++at)
        folder += cycle[at % std::size(cycle)];
    return quoted ? folder + "“" : folder;
}

const FolderCase folder_cases[] = {
    {"a folder below a root gets one backslash", "C:\\Duomenys", "C:\\Duomenys\\"},
    {"a drive root keeps its single backslash", "C:\\", "C:\\"},
    {"a folder ending in a slash is left alone", "Z:/tmp/", "Z:/tmp/"},
    {"a bare drive is left alone", "C:", "C:"},
    {"a network share gets one backslash", "\\\\server\\share", "\\\\server\\share\\"},
    {"Lithuanian letters stay", "C:\\Sąrašai", "C:\\Sąrašai\\"},
    {"an unreadable folder stays empty", "", ""},
    {"262 bytes still take the backslash", "C:\\" + std::string(259, 'a'),
     "C:\\" + std::string(259, 'a') + "\\"},
    {"263 bytes would not fit the buffer with it", "C:\\" + std::string(260, 'a'),
     "C:\\" + std::string(260, 'a')},
    {"131 characters in 261 bytes take the backslash", lithuanian_folder(126, true),
     lithuanian_folder(126, true) + "\\"},
    {"132 characters in 263 bytes still take the backslash", lithuanian_folder(127, true),
     lithuanian_folder(127, true) + "\\"},
    {"262 Lithuanian characters still take the backslash", lithuanian_folder(259),
     lithuanian_folder(259) + "\\"},
    {"263 Lithuanian characters fit only without it", lithuanian_folder(260),
     lithuanian_folder(260)},
    {"a character beyond U+FFFF counts two, 263 in all", lithuanian_folder(258) + "📁",
     lithuanian_folder(258) + "📁"},
    {"264 characters do not fit the buffer at all", lithuanian_folder(261), ""},
};

TEST(ChooserStartFolder, EndsInOneBackslashWhereItFits) {
    for (const FolderCase& c : folder_cases) {
        EXPECT_EQ(gpais::chooser_start_folder(c.folder), c.expected) << c.name;
    }
}

}  // namespace
