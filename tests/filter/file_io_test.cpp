#include "filter/file_io.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.hpp"

namespace gpais {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const std::string crlf_document = "<?xml?>\r\n<produktai>\r\n\x1A\xC4\x85";

struct ReadCase {
    const char* name;
    const char* file;     // created in the folder unless null
    std::string content;  // bytes of that file
    const char* asked;    // name asked for; "" asks for the empty path
    std::string expected;
};

TEST(FileRead, GivesExactBytesOrNothing) {
    const ReadCase cases[] = {
        {"bytes with CR LF, EOF marker and UTF-8 come back unchanged", "a.xml", crlf_document,
         "a.xml", crlf_document},
        {"NUL bytes do not end the document", "n.xml", std::string("a\0b", 3), "n.xml",
         std::string("a\0b", 3)},
        {"a Lithuanian file name is found", "sąrašas.xml", "x", "sąrašas.xml", "x"},
        {"an empty file reads as nothing", "e.xml", "", "e.xml", ""},
        {"a missing file reads as nothing", nullptr, "", "missing.xml", ""},
        {"a folder reads as nothing", nullptr, "", ".", ""},
        {"an empty path reads as nothing", nullptr, "", "", ""},
    };
    for (const ReadCase& c : cases) {
        TempFolder folder;
        if (c.file != nullptr)
            folder.write(c.file, c.content);
        const std::string asked = std::string(c.asked).empty() ? "" : folder.utf8(c.asked);
        EXPECT_EQ(read_whole_file(asked), c.expected) << c.name;
    }
}

struct ReplaceCase {
    const char* name;
    const char* existing;  // file present before, or null
    const char* target;    // name written to, inside the folder
    bool make_read_only;   // the existing file is read-only
    bool expect_written;
    std::vector<std::string> names_after;  // every entry of the folder afterwards
};

TEST(FileReplace, WritesWholeOrLeavesEverythingAsItWas) {
    const std::string old_bytes = "OLD\r\n";
    const std::string new_bytes = "NEW\r\n<produktai/>\r\n";
    const ReplaceCase cases[] = {
        {"a new file is created", nullptr, "out.xml", false, true, {"out.xml"}},
        {"an existing file is replaced", "out.xml", "out.xml", false, true, {"out.xml"}},
        {"a Lithuanian name is written as given",
         nullptr,
         "išvestis_261207 0905.xml",
         false,
         true,
         {"išvestis_261207 0905.xml"}},
        {"a read-only file is left byte-identical", "out.xml", "out.xml", true, false, {"out.xml"}},
        {"a missing folder is not created", nullptr, "nėra/out.xml", false, false, {}},
        {"a folder is not replaced", "sub/keep.txt", "sub", false, false, {"sub"}},
    };
    for (const ReplaceCase& c : cases) {
        TempFolder folder;
        if (c.existing != nullptr) {
            const std::string existing = c.existing;
            if (existing.find('/') != std::string::npos) {
                fs::create_directories(folder.path() / fs::path(existing).parent_path());
            }
            folder.write(existing, old_bytes);
            if (c.make_read_only) {
                fs::permissions(folder.path() / existing, fs::perms::owner_read |
                                                              fs::perms::group_read |
                                                              fs::perms::others_read);
            }
        }
        const auto error = replace_file(folder.utf8(c.target), new_bytes);
        EXPECT_EQ(!error.has_value(), c.expect_written) << c.name;
        if (error) {
            EXPECT_FALSE(error->reason.empty()) << c.name;
        }
        EXPECT_EQ(folder.names(), c.names_after) << c.name << ": no temporary file may remain";
        if (c.expect_written) {
            EXPECT_EQ(read_whole_file(folder.utf8(c.target)), new_bytes) << c.name;
        } else if (c.existing != nullptr && std::string(c.existing) == c.target) {
            EXPECT_EQ(read_whole_file(folder.utf8(c.target)), old_bytes) << c.name;
        }
    }
}

TEST(FileReplace, BlankPathIsRefused) {
    for (const char* path : {"", "  ", "\t\r\n"}) {
        EXPECT_TRUE(replace_file(path, "x").has_value()) << '"' << path << '"';
    }
}

TEST(FileReplace, ReplacingTheProductListItselfKeepsItWholeAndReadable) {
    TempFolder folder;
    const std::string list = folder.utf8("sarasas.xml");
    folder.write("sarasas.xml", std::string(1 << 20, 'a'));
    const std::string smaller = "<produktai>\r\n</produktai>\r\n";
    ASSERT_FALSE(replace_file(list, smaller).has_value());
    EXPECT_EQ(read_whole_file(list), smaller);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"sarasas.xml"});
}

#ifndef _WIN32
TEST(FileReplace, LinkStaysALinkAndItsFileIsReplaced) {
    TempFolder folder;
    folder.write("real.xml", "OLD");
    fs::create_symlink(folder.path() / "real.xml", folder.path() / "link.xml");
    ASSERT_FALSE(replace_file(folder.utf8("link.xml"), "NEW").has_value());
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.xml"));
    EXPECT_EQ(read_whole_file(folder.utf8("real.xml")), "NEW");
}

TEST(FileReplace, ReplacedFileKeepsItsPermissions) {
    TempFolder folder;
    folder.write("out.xml", "OLD");
    const auto private_perms = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(folder.path() / "out.xml", private_perms);
    ASSERT_FALSE(replace_file(folder.utf8("out.xml"), "NEW").has_value());
    EXPECT_EQ(fs::status(folder.path() / "out.xml").permissions(), private_perms);
}
#endif

}  // namespace
}  // namespace gpais
