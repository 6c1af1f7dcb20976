#include "workspace.hpp"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <utility>

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

std::filesystem::path deep_list(const Workspace& place) {
    std::filesystem::path folder = place.start();
    for (const wchar_t letter : {L'ą', L'č', L'ę'})
        folder /= std::wstring(100, letter);
    std::filesystem::create_directories(testing::reachable(folder));
    expect(folder.wstring().size() >= 300, "the deep folder is too short");
    const auto list = folder / L"Prekių sąrašas.xml";
    std::filesystem::copy_file(place.product_list(), testing::reachable(list));
    return list;
}

namespace {

const std::string earlier_bytes = "<produktai>\r\n</produktai>\r\n";

}  // namespace

EarlierResult::EarlierResult(const Workspace& place, std::filesystem::path file)
    : place_(place), file_(std::move(file)) {
    std::ofstream(file_, std::ios::binary) << earlier_bytes;
    before_ = files_in(place_.start());
}

void EarlierResult::expect_replaced_by(const std::string& golden, const std::string& run) const {
    expect_same_bytes(file_, place_.golden(golden));
    expect_nothing_else_changed(run);
}

void EarlierResult::expect_kept(const std::string& run) const {
    expect(read_bytes(file_) == earlier_bytes, "the old file changed");
    expect_nothing_else_changed(run);
}

void EarlierResult::expect_nothing_else_changed(const std::string& run) const {
    expect(files_in(place_.start()) == before_, run + " left files behind");
    expect_same_bytes(place_.product_list(), place_.data("produktai.xml"));
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
