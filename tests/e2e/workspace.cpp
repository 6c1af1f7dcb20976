#include "workspace.hpp"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "check.hpp"
#include "tests/support/temp_folder.hpp"

namespace gpais::e2e {

Workspace::Workspace(const std::string& scenario, const std::filesystem::path& source_dir)
    : source_(source_dir) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::filesystem::path(temp) /
            (L"gpais-e2e-" + to_wide(scenario) + L"-" + std::to_wstring(::GetCurrentProcessId()));
    start_ = root_ / L"Darbai ąčęėįšųūž";
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(start_ / L"poaplankis");
    std::filesystem::copy_file(data("produktai.xml"), product_list());
    std::filesystem::copy_file(data("klaidos.log"), error_log());
}

Workspace::~Workspace() {
    if (!keep_) {
        // Also a folder of 300 characters that a scenario made.
        gpais::testing::remove_tree(root_);
    }
}

std::filesystem::path Workspace::golden(const std::string& name) const {
    return source_ / L"golden" / to_wide(name);
}

std::filesystem::path Workspace::data(const std::string& name) const {
    return source_ / L"data" / to_wide(name);
}

std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    expect(static_cast<bool>(in), "cannot read " + to_utf8(file.wstring()));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expect_same_bytes(const std::filesystem::path& actual, const std::filesystem::path& expected) {
    const std::string got = read_bytes(actual);
    const std::string want = read_bytes(expected);
    if (got == want) {
        return;
    }
    size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) {
        ++at;
    }
    throw Failure(to_utf8(actual.wstring()) + " differs from " + to_utf8(expected.wstring()) +
                  " at byte " + std::to_string(at) + " (" + std::to_string(got.size()) +
                  " bytes written, " + std::to_string(want.size()) + " expected)");
}

std::set<std::filesystem::path> files_in(const std::filesystem::path& folder) {
    std::set<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        names.insert(entry.path());
    return names;
}

std::wstring quoted(const std::filesystem::path& path) {
    return L"\"" + path.wstring() + L"\"";
}

}  // namespace gpais::e2e
