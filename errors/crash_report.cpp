#include "errors/crash_report.hpp"

#include <array>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string_view>

#include "base/utf8.hpp"

namespace gpais {

namespace {

constexpr std::array<std::string_view, 42> code_names = {
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

constexpr std::string_view line_end = "\r\n";

// The report is written twice by the same code: once only counted, then into a buffer of that
// size. So a report holding a whole document needs that document's room once, not the two or
// three times that growing a string by doubling would need, and the separator fits after it.
struct ReportCounter {
    const rt::TextLimits& limits;
    std::size_t size = 0;
    void text(std::string_view part) noexcept { size = rt::add_saturating(size, part.size()); }
    void value(const rt::Value& v) {
        size = rt::add_saturating(size, rt::expression_text_size(v, limits));
    }
};

struct ReportWriter {
    const rt::TextLimits& limits;
    std::string& out;
    void text(std::string_view part) { out.append(part); }
    void value(const rt::Value& v) { rt::append_expression_text(out, v, limits); }
};

template <typename Out>
void put_number(Out& out, long long number) {
    std::array<char, 24> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%lld", number);
    out.text(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

template <typename Out>
void put_timestamp(Out& out, const LocalTime& t) {
    std::array<char, 64> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02u %02u:%02u:%02u.%03u", t.year,
                      t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
    out.text(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

// Columns of the stack lines are counted in characters, so a Lithuanian letter in a name
// takes one column, not two.
template <typename Out>
void put_level(Out& out, const rt::Level& level) {
    const std::string line = std::to_string(level.line);
    const std::size_t width = 4 + utf8::length(level.name) + 1 + line.size() + 1;
    out.text("    ");
    out.text(level.name);
    out.text("(");
    out.text(line);
    out.text(")");
    constexpr std::string_view blanks = "                                ";
    out.text(width < 32 ? blanks.substr(0, 32 - width) : blanks.substr(0, 1));
    out.text("(");
    for (std::size_t i = 0; i < level.args.size(); ++i) {
        if (i > 0)
            out.text(", ");
        out.value(level.args[i]);
    }
    out.text(")");
    for (const auto& local : level.locals) {
        out.text(", ");
        out.value(local);
    }
    out.text(line_end);
}

template <typename Out>
void put_labelled(Out& out, std::string_view label, std::string_view text) {
    out.text(label);
    out.text(text);
    out.text(line_end);
}

// The operation's arguments, one a line, each numbered from 1 and the numbers right-aligned.
template <typename Out>
void put_arguments(Out& out, const rt::List& arguments) {
    out.text("Argumentai:");
    out.text(line_end);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string index = std::to_string(i + 1);
        constexpr std::string_view blanks = "     ";
        out.text(blanks.substr(0, index.size() < 5 ? 5 - index.size() : 0));
        out.text(index);
        out.text(": ");
        out.value(arguments[i]);
        out.text(line_end);
    }
}

// What failed, as the record tells it: the error's line, the fields that are set, the arguments.
template <typename Out>
void put_error(Out& out, const ErrorRecord& record) {
    out.text("Klaida: ");
    out.text(record.SUBSYSTEM);
    out.text("/");
    out.text(ERRDESCCODE(record.GENCODE));
    out.text("(");
    put_number(out, record.GENCODE);
    out.text(") ");
    put_number(out, record.SUBCODE);
    out.text(line_end);
    if (!record.FILENAME.empty())
        put_labelled(out, "Failas: ", record.FILENAME);
    if (!record.DESCRIPTION.empty())
        put_labelled(out, "Aprašymas: ", record.DESCRIPTION);
    if (!record.OPERATION.empty())
        put_labelled(out, "Operacija: ", record.OPERATION);
    if (record.OSCODE != 0) {
        out.text("OS klaida: ");
        put_number(out, record.OSCODE);
        out.text(line_end);
    }
    if (record.ARGS)
        put_arguments(out, *record.ARGS);
    out.text(line_end);
}

template <typename Out>
void put_stack(Out& out, const std::vector<rt::Level>& levels) {
    out.text("Stekas: ");
    out.text(line_end);
    for (const auto& level : levels)
        put_level(out, level);
    out.text(line_end);
}

// Where it failed: the program, the system and the build, the machine and the person.
template <typename Out>
void put_machine(Out& out, const ReportFacts& facts) {
    put_labelled(out, "EXE failas:  ", facts.command_line);
    out.text("Versijos:");
    out.text(line_end);
    out.text("  OS: ");
    if (facts.product_name)
        out.text(*facts.product_name);
    if (facts.release_id) {
        out.text(" ");
        out.text(*facts.release_id);
    }
    if (facts.build_lab) {
        out.text(" ");
        out.text(*facts.build_lab);
    }
    out.text(line_end);
    put_labelled(out, "  ", facts.toolchain);
    put_labelled(out, "Kompiuteris: ", facts.computer);
    put_labelled(out, "Vartotojas: ", facts.user);
    out.text(line_end);
}

template <typename Out>
void put_report(Out& out, const ErrorRecord& record, const std::vector<rt::Level>& levels,
                const ReportFacts& facts) {
    put_timestamp(out, facts.time);
    out.text(line_end);
    out.text(line_end);
    put_error(out, record);
    put_stack(out, levels);
    put_machine(out, facts);
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
    if (code < 1 || code >= static_cast<int>(code_names.size()))
        return {};
    const std::string_view name = code_names[static_cast<std::size_t>(code)];
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
                               const ReportFacts& facts, ReportForm form, std::size_t room_after,
                               std::size_t largest_report) {
    const rt::TextLimits& limits =
        form == ReportForm::shortened ? rt::shortened_values : rt::whole_values;
    ReportCounter counter{limits};
    put_report(counter, record, levels, facts);
    // Refused before anything is taken, as reserve refuses a size past what a string can hold;
    // the count stops at its type's maximum, so a report too long to count is refused too.
    if (rt::add_saturating(counter.size, room_after) > largest_report)
        throw std::length_error("crash report longer than a string can hold");
    std::string out;
    out.reserve(counter.size + room_after);
    ReportWriter writer{limits, out};
    put_report(writer, record, levels, facts);
    return out;
}

std::string GETERRORDESC(const ErrorRecord& record, ReportForm form, std::size_t largest_report) {
    GPAIS_LEVEL("GETERRORDESC", GPAIS_ARGS(record));
    gpais_call_level_.mark_as_handler();
    // This builder, the handler and the hook that reached it are not levels of the failure, and
    // are not even read; each marks its own level, so a path that reaches the builder another
    // way loses none of the failure's. The rest are read with their texts borrowed: they stand
    // until the handler is done.
    const auto make = [&record, largest_report](ReportForm attempt) {
        const ReportFacts facts = gather_report_facts(error_platform());
        const std::vector<rt::Level> levels = rt::failure_levels(rt::Reading::borrow_texts);
        return build_crash_report(record, levels, facts, attempt, report_separator_length,
                                  largest_report);
    };
    if (form == ReportForm::whole) {
        // No level of ours is entered in here, so running out of memory unwinds none, and once
        // its exception is caught the whole attempt's locals are gone: the shortened attempt
        // below starts with everything the whole one took given back. A 32-bit string holds
        // less than the address space, so a report that does not fit in one is the same case
        // as one that does not fit in memory.
        try {
            return make(ReportForm::whole);
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
    }
    return make(ReportForm::shortened);
}

}  // namespace gpais
