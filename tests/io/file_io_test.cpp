#include "io/file_io.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "filter/file_cause_text.hpp"
#include "io/patience.hpp"
#include "tests/support/temp_folder.hpp"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <thread>

#include "base/text_convert.hpp"
#include "base/unique_handle.hpp"
#else
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace gpais {
namespace {

namespace fs = std::filesystem;
using io::Patience;
using testing::TempFolder;

const std::string crlf_document = "<?xml?>\r\n<produktai>\r\n\x1A\xC4\x85";

struct ReadCase {
    const char* name;
    const char* file;     // created in the folder unless null
    std::string content;  // bytes of that file
    const char* asked;    // name asked for; "" asks for the empty path
    std::string expected;
    const char* cause = nullptr;  // why it could not be read at all; null: it was read
    bool deep = false;            // file and name lie in a folder of 300 characters
    bool bare = false;            // the name is asked for bare, from its folder made current
};

// The process's current folder moved to `folder` for as long as it lives.
class CurrentFolderAt {
  public:
    explicit CurrentFolderAt(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~CurrentFolderAt() { fs::current_path(previous_); }
    CurrentFolderAt(const CurrentFolderAt&) = delete;
    CurrentFolderAt& operator=(const CurrentFolderAt&) = delete;

  private:
    fs::path previous_;
};

TEST(FileRead, GivesExactBytesOrWhyNot) {
    // Three folders of 100 characters: no one name may be longer than 255.
    const std::string long_folder =
        std::string(99, 'a') + "/" + std::string(99, 'b') + "/" + std::string(99, 'c') + "/";
    const ReadCase cases[] = {
        {"bytes with CR LF, EOF marker and UTF-8 come back unchanged", "a.xml", crlf_document,
         "a.xml", crlf_document},
        {"NUL bytes do not end the document", "n.xml", std::string("a\0b", 3), "n.xml",
         std::string("a\0b", 3)},
        {"a Lithuanian file name is found", "sąrašas.xml", "x", "sąrašas.xml", "x"},
        {"an empty file reads as nothing", "e.xml", "", "e.xml", ""},
        {"an empty path reads as nothing", nullptr, "", "", ""},
        {"a missing file is named as missing", nullptr, "", "nėra.xml", "", "Nėra tokio failo."},
        {"a missing folder is named as missing", nullptr, "", "nėra/a.xml", "",
         "Nėra tokio aplanko."},
        {"a folder is named as a folder", nullptr, "", ".", "", "Nurodytas kelias yra aplankas."},
        {"a bare name missing from the current folder is named as missing", nullptr, "", "nėra.xml",
         "", "Nėra tokio failo.", false, true},
#ifdef _WIN32
        {"a list in a folder of 300 characters is read", "a.xml", "x", "a.xml", "x", nullptr, true},
        {"a name of the wrong form is named by the system", nullptr, "", "a<b>.xml", "",
         "Sistemos klaida 123: "},
#else
        {"a name too long for the system is named so", nullptr, "",
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
         "", "Kelias per ilgas."},
#endif
    };
    for (const ReadCase& c : cases) {
        TempFolder folder;
        // Wine has no limit of its own to show, but the prefix must not lose the file.
        const std::string under = c.deep ? long_folder : "";
        if (!under.empty())
            fs::create_directories(folder.path() / under);
        if (c.file != nullptr)
            folder.write(under + c.file, c.content);
        const std::string asked =
            std::string(c.asked).empty() || c.bare ? c.asked : folder.utf8(under + c.asked);
        std::optional<CurrentFolderAt> current;
        if (c.bare)
            current.emplace(folder.path());
        const auto before = folder.names();
        FileResult<std::string> read = read_file_bytes(asked);
        if (c.cause == nullptr) {
            ASSERT_TRUE(read.ok()) << c.name << ": " << read_cause_text(read.error());
            EXPECT_EQ(read.take_value(), c.expected) << c.name;
        } else {
            ASSERT_FALSE(read.ok()) << c.name;
            const std::string text = read_cause_text(read.error());
            EXPECT_EQ(text.substr(0, std::strlen(c.cause)), c.cause) << c.name << ": " << text;
        }
        EXPECT_EQ(folder.names(), before) << c.name;
    }
}

// Saves that go through; the ways a save fails, and that it leaves everything as it was, are
// the table of FileReplaceFailure below.
struct ReplaceCase {
    const char* name;
    bool existing;       // a file of that name is there before
    const char* target;  // name written to, inside the folder
    bool bare = false;   // the name is given bare, with the folder made current
};

TEST(FileReplace, WritesWholeOrLeavesEverythingAsItWas) {
    const std::string new_bytes = "NEW\r\n<produktai/>\r\n";
    const ReplaceCase cases[] = {
        {"a new file is created", false, "out.xml"},
        {"an existing file is replaced", true, "out.xml"},
        {"a Lithuanian name is written as given", false, "išvestis_261207 0905.xml"},
        {"a bare name replaces the file in the current folder", true, "out.xml", true},
    };
    for (const ReplaceCase& c : cases) {
        TempFolder folder;
        if (c.existing)
            folder.write(c.target, "OLD\r\n");
        std::optional<CurrentFolderAt> current;
        if (c.bare)
            current.emplace(folder.path());
        const FileResult<void> written =
            replace_file(c.bare ? c.target : folder.utf8(c.target), new_bytes);
        EXPECT_TRUE(written.ok()) << c.name << ": " << write_cause_text(written.error());
        EXPECT_EQ(folder.names(), std::vector<std::string>{c.target})
            << c.name << ": no temporary file may remain";
        EXPECT_EQ(read_whole_file(folder.utf8(c.target)), new_bytes) << c.name;
    }
}

// One way a save fails, arranged on the real file system of the machine running the test.
struct Situation {
    TempFolder folder;
    std::string skip;  // why this machine cannot arrange the case
    // Taken once everything has been looked at, just before the write (a file held open
    // without sharing cannot be read to be compared).
    std::vector<std::function<void()>> before_write;
    std::vector<std::function<void()>> holds;  // let go as soon as the write has returned
    std::vector<std::function<void()>> undo;   // done before the folder is removed
    fs::path watched;                          // where nothing may change; the folder if empty
    Situation() = default;
    Situation(const Situation&) = delete;
    Situation& operator=(const Situation&) = delete;
    ~Situation() {
        release_holds();
        for (const auto& step : undo)
            step();
    }
    void release_holds() {
        for (const auto& release : holds)
            release();
        holds.clear();
    }
    [[nodiscard]] fs::path at(std::string_view name) const {
        return folder.path() / std::u8string(name.begin(), name.end());
    }
};

struct FailureCase {
    const char* name;
    // Prepares the folder; gives the path written to, inside the folder.
    std::function<std::string(Situation&)> arrange;
    std::string cause;             // the second line of the failure message
    bool cause_is_prefix = false;  // the rest is the system's own words, which vary by system
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

// A file's bytes as a failed comparison should print them: whole when short.
std::string contents_of(const std::string& bytes) {
    if (bytes.size() <= 200)
        return bytes;
    return std::to_string(bytes.size()) + " bytes, hash " +
           std::to_string(std::hash<std::string>{}(bytes));
}

// Every file and folder under `root` with the bytes of each file: what a person would find.
std::map<std::string, std::string> everything_under(const fs::path& root) {
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::u8string name = fs::relative(entry.path(), root).generic_u8string();
        const std::string key(name.begin(), name.end());
        const std::u8string full = entry.path().u8string();
        found[key] = entry.is_directory()
                         ? std::string("<folder>")
                         : contents_of(read_whole_file(std::string(full.begin(), full.end())));
    }
    return found;
}

const std::string old_list = "<produktai>\r\n  <baterija>SENA</baterija>\r\n</produktai>\r\n";

std::string existing_file(Situation& s, const std::string& name) {
    s.folder.write(name, old_list);
    return name;
}

std::string missing_folder(Situation&) {
    return "nėra_aplanko/išvestis.xml";
}

std::string existing_folder(Situation& s) {
    fs::create_directory(s.at("aplankas_čia"));
    s.folder.write("aplankas_čia/viduje.xml", old_list);
    return "aplankas_čia";
}

std::string folder_with_separator(Situation& s) {
    return existing_folder(s) + "/";
}

std::string read_only_file(Situation& s) {
    const std::string name = existing_file(s, "tik_skaitymui_ū.xml");
#ifdef _WIN32
    // The attribute itself, as Explorer's "Read-only" box sets it.
    EXPECT_TRUE(::SetFileAttributesW(s.at(name).c_str(), FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(s.at(name),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#endif
    return name;
}

#ifdef _WIN32
// Another program has the file open and shares it with nobody, as an editor holding it may.
std::string file_held_open(Situation& s) {
    const std::string name = existing_file(s, "užimtas_ė.xml");
    s.before_write.emplace_back([&s, file = s.at(name)] {
        const HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        s.holds.emplace_back([held] { ::CloseHandle(held); });
    });
    return name;
}

// Another program is deleting the file: Windows lets nobody open or replace it meanwhile. The
// deletion is called off before the handle closes, so the file itself stays to be compared.
std::string file_being_deleted(Situation& s) {
    const std::string name = existing_file(s, "trinamas_š.xml");
    s.before_write.emplace_back([&s, file = s.at(name)] {
        const HANDLE deleter = ::CreateFileW(
            file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(deleter, INVALID_HANDLE_VALUE);
        FILE_DISPOSITION_INFO disposition{TRUE};
        EXPECT_TRUE(::SetFileInformationByHandle(deleter, FileDispositionInfo, &disposition,
                                                 sizeof disposition));
        s.holds.emplace_back([deleter] {
            FILE_DISPOSITION_INFO keep{FALSE};
            ::SetFileInformationByHandle(deleter, FileDispositionInfo, &keep, sizeof keep);
            ::CloseHandle(deleter);
        });
    });
    return name;
}

// Wine shows the host's file systems to the program, but a Windows program cannot mount one:
// CTest mounts a 16 KB tmpfs before these tests when it may (tests/io/CMakeLists.txt) and
// names its host path in GPAIS_SMALL_DISK.
std::string full_disk(Situation& s) {
    const char* host_path = std::getenv("GPAIS_SMALL_DISK");
    if (host_path == nullptr || *host_path != '/') {
        s.skip = "no small disk: GPAIS_SMALL_DISK names none (set by CTest for the Windows build)";
        return {};
    }
    std::string windows_path = std::string("Z:") + host_path;
    std::replace(windows_path.begin(), windows_path.end(), '/', '\\');
    const fs::path small = to_wide(windows_path);
    ULARGE_INTEGER free{}, total{}, total_free{};
    if (!::GetDiskFreeSpaceExW(small.c_str(), &free, &total, &total_free) ||
        total.QuadPart > (1u << 20)) {
        s.skip = "no small disk at " + windows_path +
                 ": mounting the 16 KB tmpfs needs root (CAP_SYS_ADMIN) on the host";
        return {};
    }
    s.watched = small;
    const fs::path old_file = small / L"išvestis_ė.xml";
    std::ofstream(old_file, std::ios::binary) << old_list;
    s.undo.emplace_back([old_file] {
        std::error_code ignored;
        fs::remove(old_file, ignored);
    });
    const std::u8string name = old_file.u8string();
    return std::string(name.begin(), name.end());
}

std::string invalid_name(Situation&) {
    return "netinkamas<vardas>.xml";
}
#else
// Mounts a 16 KB tmpfs on a new folder `name` of the situation's folder, unmounted afterwards;
// false, with the reason to skip, where mounting is not allowed. `simulated` names what it
// stands for.
bool mount_small_tmpfs(Situation& s, std::string_view name, const std::string& simulated) {
    const fs::path folder = s.at(name);
    fs::create_directory(folder);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=16k") != 0) {
        s.skip = simulated + " is simulated with a 16 KB tmpfs, and mounting one needs " +
                 "CAP_SYS_ADMIN: " + std::strerror(errno);
        return false;
    }
    s.undo.emplace_back([folder] { ::umount2(folder.c_str(), MNT_DETACH); });
    return true;
}

// A small file system of its own, so that filling it disturbs nothing else.
std::string full_disk(Situation& s) {
    if (!mount_small_tmpfs(s, "pilnas_diskas_ž", "a full disk"))
        return {};
    return existing_file(s, "pilnas_diskas_ž/išvestis.xml");
}

// The list lies on a file system mounted read-only, as a write-protected stick is.
std::string read_only_file_system(Situation& s) {
    if (!mount_small_tmpfs(s, "atmintukas_į", "a read-only file system"))
        return {};
    const fs::path stick = s.at("atmintukas_į");
    const std::string name = existing_file(s, "atmintukas_į/išvestis.xml");
    EXPECT_EQ(::mount(nullptr, stick.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    return name;
}

// A folder the writer may not write into. Root may write anywhere, so as root the test gives
// up the file system rights of root while the write runs.
std::string unwritable_folder(Situation& s) {
    fs::create_directory(s.at("be_teisių_ū"));
    const std::string name = existing_file(s, "be_teisių_ū/išvestis.xml");
    fs::permissions(s.at("be_teisių_ū"), fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::group_read | fs::perms::group_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
    if (::geteuid() == 0) {
        s.before_write.emplace_back([&s] {
            constexpr uid_t nobody = 65534;
            const int root = ::setfsuid(nobody);
            s.holds.emplace_back([root] { ::setfsuid(static_cast<uid_t>(root)); });
        });
    }
    return name;
}

std::string name_too_long(Situation&) {
    std::string name;
    for (int i = 0; i < 130; ++i)
        name += "ą";  // 260 bytes: more than one name may hold
    return name + ".xml";
}
#endif

class FileReplaceFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FileReplaceFailure, SaysWhyAndLeavesEverythingAsItWas) {
    const FailureCase& c = GetParam();
    Situation situation;
    const std::string target = c.arrange(situation);
    if (!situation.skip.empty())
        GTEST_SKIP() << situation.skip;
    const fs::path watched =
        situation.watched.empty() ? situation.folder.path() : situation.watched;
    const auto before = everything_under(watched);
    for (const auto& take : situation.before_write)
        take();
    // Larger than the small disk, so a full disk shows in the middle of the write.
    const std::string new_list = "<produktai>\r\n" + std::string(1 << 20, 'n') + "</produktai>";

    const auto waited_before = Patience::waited_in_process();
    const FileResult<void> written = replace_file(situation.folder.utf8(target), new_list);
    const auto waited = Patience::waited_in_process() - waited_before;
    situation.release_holds();
    // A file held for good is waited for about two seconds, not longer.
    EXPECT_LE(waited, Patience::spent());

    ASSERT_FALSE(written.ok()) << "the write was reported as done";
    const std::string text = write_cause_text(written.error());
    if (c.cause_is_prefix) {
        EXPECT_EQ(text.substr(0, c.cause.size()), c.cause) << text;
        EXPECT_GT(text.size(), c.cause.size() + 1) << "the system's own words are missing";
        EXPECT_EQ(text.back(), '.') << text;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    } else {
        EXPECT_EQ(text, c.cause);
    }
    EXPECT_EQ(everything_under(watched), before)
        << "every file must stay byte-identical and no temporary file may remain";
}

const FailureCase failure_cases[] = {
    {"MissingFolder", missing_folder, "Nėra tokio aplanko."},
    {"PathNamesAFolder", existing_folder, "Nurodytas kelias yra aplankas."},
    {"PathEndsInASeparator", folder_with_separator, "Nurodytas kelias yra aplankas."},
    {"ReadOnlyFile", read_only_file, "Failas pažymėtas tik skaitymui."},
#ifdef _WIN32
    {"DiskFull", full_disk, "Diske nebeliko vietos."},
    {"HeldByAnotherProgram", file_held_open, "Failą naudoja kita programa."},
    {"AccessDeniedToAFileBeingDeleted", file_being_deleted, "Nėra teisės rašyti."},
    {"InvalidNameIsNamedByTheSystem", invalid_name, "Sistemos klaida 123: ", true},
#else
    {"DiskFull", full_disk, "Diske nebeliko vietos."},
    {"FolderNotWritable", unwritable_folder, "Nėra teisės rašyti."},
    {"ReadOnlyFileSystem", read_only_file_system, "Nėra teisės rašyti."},
    {"NameTooLong", name_too_long, "Kelias per ilgas."},
#endif
};

INSTANTIATE_TEST_SUITE_P(Causes, FileReplaceFailure, ::testing::ValuesIn(failure_cases),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(FileReplace, BlankPathIsRefused) {
    for (const char* path : {"", "  ", "\t\r\n"}) {
        EXPECT_FALSE(replace_file(path, "x").ok()) << '"' << path << '"';
    }
}

TEST(FileReplace, ReplacingTheProductListItselfKeepsItWholeAndReadable) {
    TempFolder folder;
    const std::string list = folder.utf8("sarasas.xml");
    folder.write("sarasas.xml", std::string(1 << 20, 'a'));
    const std::string smaller = "<produktai>\r\n</produktai>\r\n";
    ASSERT_TRUE(replace_file(list, smaller).ok());
    EXPECT_EQ(read_whole_file(list), smaller);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"sarasas.xml"});
}

#ifdef _WIN32
// Another program holds the file for a moment, as a virus scanner or a sync client does right
// after it changes: reading it, without write or delete sharing, or without any sharing.
struct MomentCase {
    const char* name;
    DWORD sharing;
    bool replace;  // the file is replaced; otherwise read
};

TEST(FileMoment, AMomentsHoldIsWaitedOut) {
    const MomentCase cases[] = {
        {"a list held by a reader without sharing is read", 0, false},
        {"a target held by a reader is replaced", FILE_SHARE_READ, true},
        {"a target held without any sharing is replaced", 0, true},
    };
    for (const MomentCase& c : cases) {
        TempFolder folder;
        folder.write("sąrašas.xml", old_list);
        const fs::path file = folder.path() / u8"sąrašas.xml";
        const HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, c.sharing, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE) << c.name;
        std::thread release([held] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            ::CloseHandle(held);
        });
        const std::string path = folder.utf8("sąrašas.xml");
        if (c.replace) {
            const FileResult<void> written = replace_file(path, "NAUJAS");
            EXPECT_TRUE(written.ok()) << c.name << ": " << write_cause_text(written.error());
        } else {
            FileResult<std::string> read = read_file_bytes(path);
            EXPECT_TRUE(read.ok()) << c.name << ": " << read_cause_text(read.error());
            EXPECT_EQ(read.take_value(), old_list) << c.name;
        }
        release.join();
        EXPECT_EQ(read_whole_file(path), c.replace ? "NAUJAS" : old_list) << c.name;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"sąrašas.xml"}) << c.name;
    }
}

TEST(FileMoment, AListHeldForGoodIsNamedAsInUse) {
    TempFolder folder;
    folder.write("sąrašas.xml", old_list);
    const fs::path file = folder.path() / u8"sąrašas.xml";
    const UniqueFile held(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    const auto waited_before = Patience::waited_in_process();
    const FileResult<std::string> read = read_file_bytes(folder.utf8("sąrašas.xml"));
    EXPECT_EQ(Patience::waited_in_process() - waited_before, Patience::spent());
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read_cause_text(read.error()), "Failą naudoja kita programa.");
}
#endif

#ifndef _WIN32
TEST(FileReplace, LinkStaysALinkAndItsFileIsReplaced) {
    TempFolder folder;
    folder.write("real.xml", "OLD");
    fs::create_symlink(folder.path() / "real.xml", folder.path() / "link.xml");
    ASSERT_TRUE(replace_file(folder.utf8("link.xml"), "NEW").ok());
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.xml"));
    EXPECT_EQ(read_whole_file(folder.utf8("real.xml")), "NEW");
}

TEST(FileReplace, ReplacedFileKeepsItsPermissions) {
    TempFolder folder;
    folder.write("out.xml", "OLD");
    const auto private_perms = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(folder.path() / "out.xml", private_perms);
    ASSERT_TRUE(replace_file(folder.utf8("out.xml"), "NEW").ok());
    EXPECT_EQ(fs::status(folder.path() / "out.xml").permissions(), private_perms);
}
#endif

}  // namespace
}  // namespace gpais
