#pragma once
// The process-wide error handler: quiet answers for division by zero and lock errors, a crash
// report, a message and the end of the process for everything else.

#include <string>
#include <string_view>

#include "base/message_box.hpp"
#include "errors/crash_report.hpp"
#include "errors/error_platform.hpp"
#include "errors/error_record.hpp"
#include "rt/value.hpp"

namespace gpais {

inline constexpr std::string_view crash_log_name = "Klaidos.log";
inline constexpr std::string_view crash_caption = caption_error;
inline constexpr Icon crash_icon = Icon::error;

// "Įvyko klaida.\nPraneškite programuotojams.\nEl.paštu: " and the support address.
[[nodiscard]] std::string crash_message();

// Makes PRGERROR the handler of every error raised from now on, in place of any before it.
void ERRORSYS();

// The handler. Answers the number 0, true, false or nothing; on the fatal path it does not
// return but ends the process with exit code 1.
rt::Value PRGERROR(const ErrorRecord& record);

// Sets the platform, takes the start folder for the logs, installs the handler and the
// last-resort catchers for faults and exceptions nobody caught: what a program's entry point
// calls first, before any window or chooser exists.
void install_error_handling(ErrorPlatform& platform);

// The unhandled-exception filter on Windows, std::set_terminate everywhere.
void install_last_resort_handlers();

}  // namespace gpais
