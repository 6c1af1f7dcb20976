// Times the phases of one period-mode run (read, scan with the date test, blank-line removal,
// write) on a product list, best of several rounds, so a change can be judged phase by phase.
//   phases LIST OUT [ROUNDS] [FROM TO]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "filter/blank_lines.hpp"
#include "filter/date_match.hpp"
#include "filter/position_scan.hpp"
#include "io/file_io.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

gpais::Date parse(const char* text) {
    return gpais::read_date_field(text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: phases LIST OUT [ROUNDS] [FROM TO]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    const gpais::Date first = parse(argc > 5 ? argv[4] : "2026-11-01");
    const gpais::Date last = parse(argc > 5 ? argv[5] : "2026-11-30");
    double best[4] = {1e9, 1e9, 1e9, 1e9};
    std::size_t kept = 0;
    for (int round = 0; round < rounds; ++round) {
        auto start = Clock::now();
        std::string document = gpais::read_whole_file(argv[1]);
        const double read = ms_since(start);
        start = Clock::now();
        const auto anchor = gpais::find_list_anchor(document);
        if (!anchor)
            return 1;
        const auto scanned =
            gpais::scan_positions(document, *anchor, [first, last](std::string_view position) {
                return gpais::TINKADAT(position, first, last);
            });
        if (!scanned)
            return 1;
        kept = *scanned;
        const double scan = ms_since(start);
        start = Clock::now();
        gpais::remove_blank_lines(document);
        const double compact = ms_since(start);
        start = Clock::now();
        if (!gpais::replace_file(argv[2], document).ok())
            return 1;
        const double write = ms_since(start);
        const double now[4] = {read, scan, compact, write};
        for (int i = 0; i < 4; ++i)
            best[i] = now[i] < best[i] ? now[i] : best[i];
    }
    std::printf("kept %zu  read %.1f ms  scan %.1f ms  compact %.1f ms  write %.1f ms\n", kept,
                best[0], best[1], best[2], best[3]);
    return 0;
}
