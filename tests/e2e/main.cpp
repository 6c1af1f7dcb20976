// Drives the Windows program as a user would, one scenario per start:
//   gpais_e2e <scenario> <program.exe> <folder of this driver's sources> [<picture.bmp>]
//   gpais_e2e --list
// Paths may be given in Unix form; under Wine they are reached through drive Z:.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "check.hpp"
#include "scenarios.hpp"

namespace {

std::filesystem::path windows_path(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') {
        return path;
    }
    std::wstring converted = L"Z:" + path;
    for (auto& c : converted) {
        c = c == L'/' ? L'\\' : c;
    }
    return converted;
}

// Wine's own export: only under Wine do the programs need an X display to draw on.
bool under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::vector<std::wstring> arguments() {
    int count = 0;
    LPWSTR* raw = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> list(raw, raw + count);
    ::LocalFree(raw);
    return list;
}

}  // namespace

int main() {
    using namespace gpais;
    using namespace gpais::e2e;
    const auto args = arguments();
    if (args.size() == 2 && args[1] == L"--list") {
        for (const auto& s : scenarios()) {
            std::printf("%s\n", s.name.c_str());
        }
        return 0;
    }
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: gpais_e2e <scenario> <program.exe> <source folder> [<bmp>]\n");
        return 2;
    }
    if (under_wine() && ::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0) {
        std::fprintf(stderr,
                     "no X display: run `source scripts/wine-env.sh && wine_env_start` first\n");
        return 2;
    }
    const std::string name = to_utf8(args[1]);
    Context ctx{windows_path(args[2]), windows_path(args[3]),
                args.size() > 4 ? windows_path(args[4]) : std::filesystem::path{}};
    if (!std::filesystem::exists(ctx.exe)) {
        std::fprintf(stderr, "FAIL %s: the program %s has not been built\n", name.c_str(),
                     to_utf8(ctx.exe.wstring()).c_str());
        return 1;
    }
    for (const auto& s : scenarios()) {
        if (s.name != name) {
            continue;
        }
        const DWORD started = ::GetTickCount();
        try {
            s.run(ctx, name);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "FAIL %s: %s\n", name.c_str(), e.what());
            return 1;
        }
        std::printf("PASS %s (%lu ms)\n", name.c_str(), ::GetTickCount() - started);
        return 0;
    }
    std::fprintf(stderr, "unknown scenario %s (see --list)\n", name.c_str());
    return 2;
}
