#pragma once
// The crash report: the text that the error handler appends to Klaidos.log.

#include <optional>
#include <string>
#include <vector>

#include "errors/call_levels.hpp"
#include "errors/error_platform.hpp"
#include "errors/error_record.hpp"

namespace gpais {

// "EG_" and the name of a generic code; empty for a code without one.
[[nodiscard]] std::string ERRDESCCODE(int code);

// The facts about the moment and the machine that a report carries.
struct ReportFacts {
    ClockReading time;
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

// The report for a record and the levels outward from where the error arose.
[[nodiscard]] std::string build_crash_report(const ErrorRecord& record,
                                             const std::vector<rt::Level>& levels,
                                             const ReportFacts& facts);

// The report for the error now being handled: the innermost three levels (the report builder,
// the handler and the hook that reached it) are left out.
[[nodiscard]] std::string GETERRORDESC(const ErrorRecord& record);

}  // namespace gpais
