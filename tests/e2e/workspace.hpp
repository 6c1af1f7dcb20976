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

std::string read_bytes(const std::filesystem::path& file);
// Every file and folder below `folder`, to show that a run left nothing behind.
std::set<std::filesystem::path> files_in(const std::filesystem::path& folder);
// A path in double quotes, as a command line or Explorer's "Copy as path" gives it.
std::wstring quoted(const std::filesystem::path& path);
void expect_same_bytes(const std::filesystem::path& actual, const std::filesystem::path& expected);

}  // namespace gpais::e2e
