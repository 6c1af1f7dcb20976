#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace gpais::testing {

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
    ~TempFolder() {
        std::error_code ignored;
        // Read-only files left by a test must not stop the clean-up.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }

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
