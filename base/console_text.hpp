#pragma once
// Text for a person at a console. A console is the person's: its code pages stay as they left
// them, so our UTF-8 reaches it as UTF-16 and reads right on 437, 775 or 65001 alike. A file or
// a pipe gets the UTF-8 bytes themselves.

#include <cstdio>
#include <string_view>

namespace gpais {

// Writes the bytes to the stream and flushes it; false when they could not all be written.
bool write_text(std::FILE* stream, std::string_view text);

// The text and a line break in one write, so that no other output lands between them.
bool write_line(std::FILE* stream, std::string_view text);

}  // namespace gpais
