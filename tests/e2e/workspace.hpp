// The folder a scenario starts the program in: a fresh one below the temporary folder, with
// Lithuanian letters and a blank in its name as our users' folders have, and the test inputs
// copied in under Lithuanian names.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace gpais::e2e {

class Workspace {
  public:
    Workspace(const std::string& scenario, const std::filesystem::path& source_dir);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    ~Workspace();

    const std::filesystem::path& start() const { return start_; }
    std::filesystem::path product_list() const { return start_ / L"Prekių sąrašas.xml"; }
    std::filesystem::path error_log() const { return start_ / L"GPAIS klaidos.log"; }
    std::filesystem::path golden(const std::string& name) const;
    std::filesystem::path data(const std::string& name) const;

    // Kept for a look after a failure; removed after a pass.
    void keep() { keep_ = true; }

  private:
    std::filesystem::path source_;
    std::filesystem::path root_;
    std::filesystem::path start_;
    bool keep_ = false;
};

// The product list copied into a folder of 300 characters below the start folder, as a synced
// company library reaches: three names of 100 characters, since no one name may be longer than
// 255. Returns the copy.
std::filesystem::path deep_list(const Workspace& place);

// The result of an earlier run where a scenario's run saves, and what the start folder held
// beside it. Whether the run replaced it or not, it must leave nothing else behind and the
// product list as it was.
class EarlierResult {
  public:
    EarlierResult(const Workspace& place, std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }
    // `run` names what ran in the messages ("the save", "the run").
    void expect_replaced_by(const std::string& golden, const std::string& run) const;
    void expect_kept(const std::string& run) const;

  private:
    void expect_nothing_else_changed(const std::string& run) const;

    const Workspace& place_;
    std::filesystem::path file_;
    std::set<std::filesystem::path> before_;
};

std::string read_bytes(const std::filesystem::path& file);
// Every file and folder below `folder`, to show that a run left nothing behind.
std::set<std::filesystem::path> files_in(const std::filesystem::path& folder);
// A path in double quotes, as a command line or Explorer's "Copy as path" gives it.
std::wstring quoted(const std::filesystem::path& path);
void expect_same_bytes(const std::filesystem::path& actual, const std::filesystem::path& expected);

}  // namespace gpais::e2e
