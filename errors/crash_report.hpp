#pragma once
// The crash report: the text that the error handler appends to Klaidos.log.

#include <optional>
#include <string>
#include <vector>

#include "errors/error_platform.hpp"
#include "errors/error_record.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

// "EG_" and the name of a generic code; empty for a code without one.
[[nodiscard]] std::string ERRDESCCODE(int code);

// The facts about the moment and the machine that a report carries.
struct ReportFacts {
    LocalTime time;
    std::string command_line;
    std::optional<std::string> product_name;
    std::optional<std::string> release_id;
    std::optional<std::string> build_lab;
    std::string toolchain;  // "GCC: 12.2.0, 2026-12-07"
    std::string computer;
    std::string user;
};

// Gathered as late as possible, while the report is being made.
[[nodiscard]] ReportFacts gather_report_facts(ErrorPlatform& platform);

// This build's compiler and version and the date it was built.
[[nodiscard]] std::string toolchain_text();

// A report is made whole unless memory does not allow it; then every text longer than 64 KiB
// is shown by its first 4,096 bytes and every list of more than 1,000 elements by its first
// 1,000, each with its full length. Every level still appears.
enum class ReportForm { whole, shortened };

// What follows every report in Klaidos.log: 128 "=" and no line break.
inline constexpr std::size_t report_separator_length = 128;

// The report for a record and the levels outward from where the error arose, in a buffer with
// room for `room_after` more bytes, so that appending the separator does not copy it. Throws
// std::length_error when the report and that room would pass `largest_report` bytes: what a
// string can hold, except where a test gives less.
[[nodiscard]] std::string build_crash_report(const ErrorRecord& record,
                                             const std::vector<rt::Level>& levels,
                                             const ReportFacts& facts,
                                             ReportForm form = ReportForm::whole,
                                             std::size_t room_after = 0,
                                             std::size_t largest_report = std::string().max_size());

// The report for the error now being handled: the innermost levels marked as the handler's (the
// report builder, the handler and the hook that reached it, those of them that stand) are left
// out. With room for the separator. Falls back to the shortened form by itself when the whole
// one does not fit in memory or in `largest_report` bytes (as for build_crash_report).
[[nodiscard]] std::string GETERRORDESC(const ErrorRecord& record,
                                       ReportForm form = ReportForm::whole,
                                       std::size_t largest_report = std::string().max_size());

}  // namespace gpais
