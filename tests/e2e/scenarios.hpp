// The end-to-end scenarios, each one start of the program from a user's point of view.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace gpais::e2e {

struct context {
    std::filesystem::path exe;
    std::filesystem::path source_dir;
    std::filesystem::path artifact;  // where a scenario that makes a file puts it
};

struct scenario {
    std::string name;
    void (*run)(const context&, const std::string& name);
};

const std::vector<scenario>& scenarios();

}  // namespace gpais::e2e
