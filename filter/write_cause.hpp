#pragma once
// The words a person reads under "Nepavyko įrašyti failo: PATH" when a save fails.

#include <string>

#include "filter/write_result.hpp"

namespace gpais {

// One sentence ending in a period. A cause the person can act on gets its own Lithuanian
// sentence; any other is named by the system's code and the system's own description, with
// the line breaks and the period that system texts carry (or lack) made uniform.
[[nodiscard]] std::string write_cause_text(const WriteError& error);

}  // namespace gpais
