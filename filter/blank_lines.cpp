#include "filter/blank_lines.hpp"

#include <cstring>
#include <string_view>

#include "base/blank.hpp"
#include "filter/in_place_cutter.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

// Offset of the CR of the first CR LF at or after `from`, or `size`. Only CR LF ends a line; a
// lone LF or CR is a byte of its line. `from` starts a line, so the byte before it is no CR.
std::size_t find_line_end(const char* bytes, std::size_t from, std::size_t size) {
    while (from < size) {
        const void* found = std::memchr(bytes + from, '\n', size - from);
        if (found == nullptr)
            break;
        const auto line_feed = static_cast<std::size_t>(static_cast<const char*>(found) - bytes);
        if (line_feed > 0 && bytes[line_feed - 1] == '\r')
            return line_feed - 1;
        from = line_feed + 1;
    }
    return size;
}

}  // namespace

void remove_blank_lines(std::string& document) {
    const std::size_t size = document.size();
    // The document is the caller's, printed there; its size says enough here.
    GPAIS_LEVEL("remove_blank_lines", GPAIS_ARGS(), GPAIS_LOCALS(size));
    char* const bytes = document.data();
    // Kept lines are moved down in whole runs, only when a blank line ends a run, so a
    // document without blank lines is not copied at all.
    InPlaceCutter cutter(document);

    std::size_t line_start = 0;
    while (line_start < size) {
        const std::size_t line_end = find_line_end(bytes, line_start, size);
        const std::size_t next = line_end == size ? size : line_end + 2;
        // Nearly every line ends in a tag, so its last byte before the line break settles it at
        // once; only a line that ends in white space is looked at whole.
        const bool has_text =
            (line_end > line_start && !is_blank_byte(bytes[line_end - 1])) ||
            !is_blank(std::string_view(bytes + line_start, line_end - line_start));
        if (!has_text)
            cutter.cut(line_start, next);
        line_start = next;
    }
    cutter.finish();
}

}  // namespace gpais
