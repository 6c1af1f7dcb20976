#pragma once
// The name the save chooser proposes: the product list path less its last four characters,
// then "_", the date as YYMMDD, a blank, the time as HHMM and ".xml"
// (C:\Duomenys\sarasas.xml on 7 December 2026 at 09:05 gives C:\Duomenys\sarasas_261207 0905.xml).

#include <string>
#include <string_view>

#include "base/local_time.hpp"

namespace gpais {

// Characters are UTF-8 characters, so a path with Lithuanian letters loses four letters, not
// four bytes; a path of fewer than four characters leaves nothing before the "_".
[[nodiscard]] std::string default_output_name(std::string_view product_list_path,
                                              const LocalTime& now);

}  // namespace gpais
