// The end-to-end scenarios, each one start of the program from a user's point of view.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "check.hpp"

namespace gpais::e2e {

struct Context {
    std::filesystem::path exe;
    std::filesystem::path source_dir;
    std::filesystem::path artifact;  // where a scenario that makes a file puts it
};

struct Scenario {
    std::string name;
    void (*run)(const Context&, const std::string& name);
};

const std::vector<Scenario>& scenarios();

// The case a scenario is named after in its table: the table gives the scenario its name, so
// each name is written once.
template <typename Case>
const Case& case_named(const std::vector<Case>& cases, const std::string& name) {
    for (const Case& c : cases) {
        if (c.name == name)
            return c;
    }
    throw Failure("no case " + name);
}

// One scenario for each case of a table, all run by `run`.
template <typename Case>
void add_cases(std::vector<Scenario>& list, const std::vector<Case>& cases,
               void (*run)(const Context&, const std::string&)) {
    for (const Case& c : cases)
        list.push_back({c.name, run});
}

}  // namespace gpais::e2e
