// What only 64-bit Windows shows a 32-bit program: two registry views, of which the crash
// report's OS line must read the 64-bit one, the one Windows itself keeps its version in. Built
// with main.cpp into a driver of its own, run in the 64-bit Wine prefix.

// GCC 12 warns, wrongly, that a string literal joined to a std::string overlaps it (its bug
// 105329).
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/unique_handle.hpp"
#include "check.hpp"
#include "program.hpp"
#include "scenarios.hpp"
#include "windows_probe.hpp"
#include "workspace.hpp"

namespace gpais::e2e {

namespace {

constexpr const wchar_t* version_key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

struct VersionValue {
    const wchar_t* name;
    std::wstring in_64_bit_view;
    std::wstring in_32_bit_view;
};

// Values that tell the two views apart; under Wine both hold the same copy.
const std::vector<VersionValue> version_values = {
    {L"ProductName", L"Windows 10 Pro", L"Windows 10 Pro (32 bitų vaizdas)"},
    {L"ReleaseId", L"2009", L"32"},
    {L"BuildLabEx", L"19041.1.amd64fre.vb_release.191206-1406", L"32 bitų vaizdas"},
};

// Sets text values of the version key in one registry view, and puts back what was there (or
// takes them away again) when it goes.
class VersionValuesSet {
  public:
    VersionValuesSet(REGSAM view, const std::vector<std::pair<std::wstring, std::wstring>>& set) {
        const LSTATUS opened =
            ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, version_key, 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE | view, nullptr, key_.put(), nullptr);
        expect(opened == ERROR_SUCCESS,
               "cannot open the version key for writing (error " + std::to_string(opened) + ")");
        for (const auto& [name, text] : set) {
            earlier_.push_back({name, read(name)});
            const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
            expect(::RegSetValueExW(key_.get(), name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(text.c_str()),
                                    bytes) == ERROR_SUCCESS,
                   "cannot set " + to_utf8(name) + " in the version key");
        }
    }
    VersionValuesSet(const VersionValuesSet&) = delete;
    VersionValuesSet& operator=(const VersionValuesSet&) = delete;
    ~VersionValuesSet() {
        for (const auto& [name, value] : earlier_) {
            if (!value) {
                ::RegDeleteValueW(key_.get(), name.c_str());
                continue;
            }
            ::RegSetValueExW(key_.get(), name.c_str(), 0, value->type,
                             reinterpret_cast<const BYTE*>(value->bytes.data()),
                             static_cast<DWORD>(value->bytes.size()));
        }
    }

  private:
    struct Stored {
        DWORD type = 0;
        std::string bytes;
    };

    std::optional<Stored> read(const std::wstring& name) const {
        Stored value;
        DWORD size = 0;
        if (::RegQueryValueExW(key_.get(), name.c_str(), nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.bytes.resize(size);
        if (::RegQueryValueExW(key_.get(), name.c_str(), nullptr, &value.type,
                               reinterpret_cast<BYTE*>(value.bytes.data()),
                               &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.bytes.resize(size);
        return value;
    }

    UniqueRegistryKey key_;
    std::vector<std::pair<std::wstring, std::optional<Stored>>> earlier_;
};

std::vector<std::pair<std::wstring, std::wstring>> values_of(bool in_64_bit_view) {
    std::vector<std::pair<std::wstring, std::wstring>> values;
    for (const auto& v : version_values)
        values.emplace_back(v.name, in_64_bit_view ? v.in_64_bit_view : v.in_32_bit_view);
    return values;
}

// A crash report written while the two views disagree names the system as the 64-bit view
// does. Here the program named on the driver's command line is the fault probe.
void wow64_os_line(const Context& ctx, const std::string& name) {
    BOOL under_wow64 = FALSE;
    expect(::IsWow64Process(::GetCurrentProcess(), &under_wow64) != FALSE && under_wow64 != FALSE,
           "the driver does not run under WOW64: this scenario needs a 64-bit prefix "
           "(WINEARCH=win64) or 64-bit Windows");
    const VersionValuesSet view64(KEY_WOW64_64KEY, values_of(true));
    const VersionValuesSet view32(KEY_WOW64_32KEY, values_of(false));

    Workspace place(name, ctx.source_dir);
    Program probe(ctx.exe, L"access", place.start());
    HWND box = wait_dialog(probe.id(), L"Klaida", 20s);
    const std::string report = read_bytes(place.start() / L"Klaidos.log");
    click(box, IDOK);
    probe.wait_exit(10s);

    std::string expected = "\r\n  OS:";
    for (const auto& v : version_values)
        expected += " " + to_utf8(v.in_64_bit_view);
    expected += "\r\n";
    const std::size_t at = report.find("\r\n  OS:");
    const std::string found = at == std::string::npos
                                  ? "none"
                                  : report.substr(at + 2, report.find("\r\n", at + 2) - at - 2);
    expect(report.find(expected) != std::string::npos,
           "the OS line is not the 64-bit view's: \"" + found + "\", expected \"" +
               expected.substr(2, expected.size() - 4) + "\"");
}

}  // namespace

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = {
        {"wow64_os_line", wow64_os_line},
    };
    return all;
}

}  // namespace gpais::e2e
