#include "filter/compaction.hpp"

#include <cstring>

#include "errors/call_levels.hpp"

namespace gpais {

namespace {

bool is_blank_byte(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r';
}

}  // namespace

void remove_blank_lines(std::string& document) {
    const std::size_t size = document.size();
    // The document is the caller's, printed there; its size says enough here.
    GPAIS_LEVEL("remove_blank_lines", GPAIS_ARGS(), GPAIS_LOCALS(size));
    char* const bytes = document.data();
    // Kept lines are moved down in whole runs, only when a blank line ends a run, so a
    // document without blank lines is not copied at all.
    std::size_t write = 0;
    std::size_t run_start = 0;
    const auto drop = [&](std::size_t from, std::size_t to) {
        const std::size_t run_length = from - run_start;
        if (write != run_start && run_length > 0) {
            std::memmove(bytes + write, bytes + run_start, run_length);
        }
        write += run_length;
        run_start = to;
    };

    std::size_t line_start = 0;
    while (line_start < size) {
        // Most lines are indentation and a tag: the first non-blank byte settles the line, and
        // only then is its end looked for, with the library's fast search.
        std::size_t at = line_start;
        std::size_t next = size;  // where the following line starts
        bool has_text = false;
        for (; at < size; ++at) {
            const auto byte = static_cast<unsigned char>(bytes[at]);
            if (is_blank_byte(byte))
                continue;
            if (byte != '\n') {
                has_text = true;
                break;
            }
            // Only CR LF ends a line; a lone LF is a blank byte inside it.
            if (at > line_start && bytes[at - 1] == '\r') {
                next = at + 1;
                break;
            }
        }
        if (!has_text) {
            drop(line_start, next);
            line_start = next;
            continue;
        }
        next = size;
        for (std::size_t search = at + 1; search < size;) {
            const void* found = std::memchr(bytes + search, '\n', size - search);
            if (found == nullptr)
                break;
            const auto line_feed =
                static_cast<std::size_t>(static_cast<const char*>(found) - bytes);
            if (bytes[line_feed - 1] == '\r') {
                next = line_feed + 1;
                break;
            }
            search = line_feed + 1;
        }
        line_start = next;
    }
    drop(size, size);
    document.resize(write);
}

}  // namespace gpais
