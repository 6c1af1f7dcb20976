#pragma once
// gpais-filter without its platform entry point: arguments in, exit code out.

#include <cstdio>
#include <span>
#include <string>

namespace gpais::cli {

inline constexpr int exit_written = 0;
inline constexpr int exit_not_written = 1;
inline constexpr int exit_usage = 2;

// `arguments` excludes the program's own name; all texts UTF-8. `out` receives the document
// for "--output -", the help and the version; `err` every message.
int run_command(std::span<const std::string> arguments, std::FILE* out, std::FILE* err);

}  // namespace gpais::cli
