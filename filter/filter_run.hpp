#pragma once
// The filter run: reads the product list, keeps the wanted positions, drops blank lines,
// asks where to save, writes the file and reports the count.

#include <cstddef>
#include <string>
#include <string_view>

#include "filter/date.hpp"
#include "filter/ports.hpp"

namespace gpais {

// How a run ended; the messages shown say the same to the person.
enum class RunOutcome {
    written,       // the file was written and the count reported
    cancelled,     // the person cancelled the save chooser; nothing written
    write_failed,  // the save was refused or failed; reported
    bad_product_list,
    no_codes,
    nothing_kept,
};

// Error-log mode.
RunOutcome ATRINKPOZICIJAS(std::string_view product_list_path, std::string_view error_log_path,
                           MachinePort& machine, UserPort& person);
// Supply-start period mode.
RunOutcome ATRINKPOZICIJAS(std::string_view product_list_path, Date first, Date last,
                           MachinePort& machine, UserPort& person);

}  // namespace gpais
