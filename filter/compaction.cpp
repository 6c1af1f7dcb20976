#include "filter/compaction.hpp"

#include <cstring>
#include <string_view>

#include "filter/bytes.hpp"

namespace gpais {

void remove_blank_lines(std::string& document) {
    const std::size_t size = document.size();
    char* const bytes = document.data();
    // Kept lines are moved down in whole runs, only when a blank line ends a run: a document
    // without blank lines is not copied at all.
    std::size_t write = 0;
    std::size_t run_start = 0;
    std::size_t line_start = 0;
    const auto drop = [&](std::size_t from, std::size_t to) {
        const std::size_t run_length = from - run_start;
        if (write != run_start && run_length > 0)
            std::memmove(bytes + write, bytes + run_start, run_length);
        write += run_length;
        run_start = to;
    };
    while (line_start < size) {
        std::size_t search = line_start;
        std::size_t line_end = size;  // the last line runs to the end of the document
        std::size_t next = size;
        while (search < size) {
            const void* cr = std::memchr(bytes + search, '\r', size - search);
            if (cr == nullptr)
                break;
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - bytes);
            if (at + 1 < size && bytes[at + 1] == '\n') {
                line_end = at;
                next = at + 2;
                break;
            }
            search = at + 1;  // a lone CR belongs to the line
        }
        if (is_blank(std::string_view(bytes + line_start, line_end - line_start))) {
            drop(line_start, next);
        }
        line_start = next;
    }
    drop(size, size);
    document.resize(write);
}

}  // namespace gpais
