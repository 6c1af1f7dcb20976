#include "errors/crash_report.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace gpais {

namespace {

constexpr std::array<std::string_view, 42> kCodeNames = {
    "",
    "ARG",
    "BOUND",
    "STROVERFLOW",
    "NUMOVERFLOW",
    "ZERODIV",
    "NUMERR",
    "SYNTAX",
    "COMPLEXITY",
    "",
    "",
    "MEM",
    "NOFUNC",
    "NOMETHOD",
    "NOVAR",
    "NOALIAS",
    "NOVARMETHOD",
    "BADALIAS",
    "DUPALIAS",
    "",
    "CREATE",
    "OPEN",
    "CLOSE",
    "READ",
    "WRITE",
    "PRINT",
    "",
    "",
    "",
    "",
    "UNSUPPORTED",
    "LIMIT",
    "CORRUPTION",
    "DATATYPE",
    "DATAWIDTH",
    "NOTABLE",
    "NOORDER",
    "SHARED",
    "UNLOCKED",
    "READONLY",
    "APPENDLOCK",
    "LOCK",
};

constexpr std::string_view kLineEnd = "\r\n";

// Columns of the stack lines are counted in characters, so a Lithuanian letter in a name
// takes one column, not two.
std::size_t utf8_characters(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        if ((static_cast<unsigned char>(byte) & 0xC0u) != 0x80u)
            ++count;
    }
    return count;
}

void append_number(std::string& out, long long number) {
    out += std::to_string(number);
}

void append_timestamp(std::string& out, const ClockReading& t) {
    std::array<char, 64> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02u %02u:%02u:%02u.%03u", t.year,
                      t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
    out.append(buffer.data(), static_cast<std::size_t>(length));
}

void append_level(std::string& out, const rt::Level& level) {
    std::string head = "    " + level.name + "(" + std::to_string(level.line) + ")";
    const std::size_t width = utf8_characters(head);
    head.append(width < 32 ? 32 - width : 1, ' ');
    out += head;
    out += '(';
    for (std::size_t i = 0; i < level.args.size(); ++i) {
        if (i > 0)
            out += ", ";
        rt::append_expression_text(out, level.args[i]);
    }
    out += ')';
    for (const auto& local : level.locals) {
        out += ", ";
        rt::append_expression_text(out, local);
    }
    out += kLineEnd;
}

void append_labelled(std::string& out, std::string_view label, std::string_view text) {
    out += label;
    out += text;
    out += kLineEnd;
}

std::string first_non_empty(std::string a, std::string b) {
    return a.empty() ? b : a;
}

std::string build_date_iso() {
    // "Mmm dd yyyy", the only form the compiler gives.
    constexpr std::string_view months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const std::string_view date = __DATE__;
    const auto month = months.find(date.substr(0, 3)) / 3 + 1;
    const int day = (date[4] == ' ' ? 0 : date[4] - '0') * 10 + (date[5] - '0');
    std::array<char, 16> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.4s-%02u-%02d",
                                     date.data() + 7, static_cast<unsigned>(month), day);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::string ERRDESCCODE(int code) {
    if (code < 1 || code >= static_cast<int>(kCodeNames.size()))
        return {};
    const std::string_view name = kCodeNames[static_cast<std::size_t>(code)];
    if (name.empty())
        return {};
    return "EG_" + std::string(name);
}

std::string toolchain_text() {
#if defined(__clang__)
    std::string text = "Clang: " __clang_version__;
#elif defined(__MINGW32__)
    std::string text = "MinGW-w64 GCC: " __VERSION__;
#elif defined(__GNUC__)
    std::string text = "GCC: " __VERSION__;
#else
    std::string text = "C++: " + std::to_string(__cplusplus);
#endif
    return text + ", " + build_date_iso();
}

ReportFacts gather_report_facts(ErrorPlatform& platform) {
    ReportFacts facts;
    facts.time = platform.local_time();
    facts.command_line = platform.command_line();
    facts.product_name = platform.windows_version_value("ProductName");
    facts.release_id = platform.windows_version_value("ReleaseId");
    facts.build_lab = platform.windows_version_value("BuildLabEx");
    facts.toolchain = toolchain_text();
    facts.computer = first_non_empty(platform.computer_name(), platform.environment("HOSTNAME"));
    facts.user = first_non_empty(platform.user_name(), platform.environment("USER"));
    return facts;
}

std::string build_crash_report(const ErrorRecord& record, const std::vector<rt::Level>& levels,
                               const ReportFacts& facts) {
    std::string out;
    append_timestamp(out, facts.time);
    out += kLineEnd;
    out += kLineEnd;

    out += "Klaida: ";
    out += record.SUBSYSTEM;
    out += '/';
    out += ERRDESCCODE(record.GENCODE);
    out += '(';
    append_number(out, record.GENCODE);
    out += ") ";
    append_number(out, record.SUBCODE);
    out += kLineEnd;
    if (!record.FILENAME.empty())
        append_labelled(out, "Failas: ", record.FILENAME);
    if (!record.DESCRIPTION.empty())
        append_labelled(out, "Aprašymas: ", record.DESCRIPTION);
    if (!record.OPERATION.empty())
        append_labelled(out, "Operacija: ", record.OPERATION);
    if (record.OSCODE != 0)
        append_labelled(out, "OS klaida: ", std::to_string(record.OSCODE));
    if (record.ARGS) {
        out += "Argumentai:";
        out += kLineEnd;
        for (std::size_t i = 0; i < record.ARGS->size(); ++i) {
            const std::string index = std::to_string(i + 1);
            if (index.size() < 5)
                out.append(5 - index.size(), ' ');
            out += index;
            out += ": ";
            rt::append_expression_text(out, (*record.ARGS)[i]);
            out += kLineEnd;
        }
    }
    out += kLineEnd;

    out += "Stekas: ";
    out += kLineEnd;
    for (const auto& level : levels)
        append_level(out, level);
    out += kLineEnd;

    append_labelled(out, "EXE failas:  ", facts.command_line);
    out += "Versijos:";
    out += kLineEnd;
    out += "  OS: ";
    if (facts.product_name)
        out += *facts.product_name;
    if (facts.release_id)
        out += " " + *facts.release_id;
    if (facts.build_lab)
        out += " " + *facts.build_lab;
    out += kLineEnd;
    append_labelled(out, "  ", facts.toolchain);
    append_labelled(out, "Kompiuteris: ", facts.computer);
    append_labelled(out, "Vartotojas: ", facts.user);
    out += kLineEnd;
    return out;
}

std::string GETERRORDESC(const ErrorRecord& record) {
    GPAIS_LEVEL("GETERRORDESC", GPAIS_ARGS(record));
    const ReportFacts facts = gather_report_facts(error_platform());
    std::vector<rt::Level> levels = rt::current_levels();
    constexpr std::size_t kHandlerLevels = 3;
    levels.erase(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(
                                                      std::min(kHandlerLevels, levels.size())));
    return build_crash_report(record, levels, facts);
}

}  // namespace gpais
