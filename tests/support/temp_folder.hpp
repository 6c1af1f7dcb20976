#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace gpais::testing {

// A folder as the file system's calls reach it however deep it is: on Windows the library's
// own calls stop at MAX_PATH characters unless the path has the "\\?\" prefix.
inline std::filesystem::path reachable(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring text = path.wstring();
    if (path.is_absolute() && !text.starts_with(L"\\\\"))
        return L"\\\\?\\" + text;
#endif
    return path;
}

// Removes a folder and everything in it, read-only files included, however deep: the library's
// own walk through folders stops at MAX_PATH characters on Windows (also under Wine), prefix or
// not, so there it is Windows' own.
inline void remove_tree(const std::filesystem::path& folder) {
    std::error_code ignored;
#ifdef _WIN32
    // The library makes no prefixed path absolute; such a path is absolute already.
    const std::wstring given = folder.wstring();
    const std::wstring root = given.starts_with(L"\\\\")
                                  ? given
                                  : reachable(std::filesystem::absolute(folder, ignored)).wstring();
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((root + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring inner = root + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                remove_tree(inner);
            } else {
                ::SetFileAttributesW(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(inner.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(root.c_str());
#else
    for (auto entry = std::filesystem::recursive_directory_iterator(folder, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored)) {
        std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder, ignored);
#endif
}

class TempFolder {
  public:
    TempFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("gpais-test-" + std::to_string(stamp) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { remove_tree(path_); }

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    // The UTF-8 form of a name inside the folder, as the filter's functions take paths.
    [[nodiscard]] std::string utf8(std::string_view name) const {
        const std::u8string text = (path_ / std::u8string(name.begin(), name.end())).u8string();
        return std::string(text.begin(), text.end());
    }
    void write(std::string_view name, std::string_view bytes) const {
        std::ofstream out(path_ / std::u8string(name.begin(), name.end()), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    [[nodiscard]] std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            const std::u8string name = entry.path().filename().u8string();
            found.emplace_back(name.begin(), name.end());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

  private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::filesystem::path path_;
};

}  // namespace gpais::testing
