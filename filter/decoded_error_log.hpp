#pragma once
// The error log as the code set rules read it. Windows offers to save a text file as "Unicode"
// (UTF-16 with a byte-order mark) next to UTF-8, and Notepad writes a byte-order mark before
// UTF-8 too; a person who saves GPAIS's answer either way must get the same codes.

#include <string>

namespace gpais {

// A log that begins with a UTF-16 byte-order mark (either byte order) becomes its text in
// UTF-8: an unpaired surrogate becomes U+FFFD and an odd last byte is dropped. A UTF-8
// byte-order mark at the start is taken off. Every other log comes back byte for byte.
[[nodiscard]] std::string decoded_error_log(std::string bytes);

}  // namespace gpais
