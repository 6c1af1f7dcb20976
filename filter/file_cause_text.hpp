#pragma once
// The words a person reads under "Nepavyko įrašyti failo: PATH" when a save fails, and under
// "Blogas nurodyto failo turinys" when a file could not be read at all.

#include <string>

#include "filter/file_error.hpp"

namespace gpais {

// One sentence ending in a period. A cause the person can act on gets its own Lithuanian
// sentence; any other is named by the system's code and the system's own description, with
// the line breaks and the period that system texts carry (or lack) made uniform.
[[nodiscard]] std::string write_cause_text(const FileError& error);
// The same sentences for a read; a refused right is the right to read.
[[nodiscard]] std::string read_cause_text(const FileError& error);

}  // namespace gpais
