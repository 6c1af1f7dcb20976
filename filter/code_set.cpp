#include "filter/code_set.hpp"

#include "filter/byte_search.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

constexpr std::string_view report_marker = "vienetas su kodu: ";
constexpr std::string_view report_end = ") nerastas";
constexpr std::string_view code_marker = "(produktoKodas=";
// Where the code starts, from 0, in a report line that names no "(produktoKodas=".
constexpr std::size_t bare_code_start = 14;

void add_code_of_line(std::string_view line, CodeSet& codes) {
    if (!line.ends_with(report_end) || line.find(report_marker) == std::string_view::npos)
        return;
    const std::size_t code_end = line.size() - report_end.size();
    const std::size_t marker = line.rfind(code_marker);
    // A qualifying line holds both texts without overlap, so it is at least 28 bytes long and
    // both starts lie at or before the end of the code.
    const std::size_t code_start =
        marker == std::string_view::npos ? bare_code_start : marker + code_marker.size();
    if (code_start > code_end)
        return;
    codes.add(line.substr(code_start, code_end - code_start));
}

}  // namespace

CodeSet build_code_set(std::string_view error_log) {
    CodeSet codes;
    std::size_t line_start = 0;
    GPAIS_LEVEL("build_code_set", GPAIS_ARGS(error_log), GPAIS_LOCALS(codes, line_start));
    while (true) {
        const std::size_t line_feed = error_log.find('\n', line_start);
        std::string_view line = error_log.substr(line_start, line_feed == std::string_view::npos
                                                                 ? std::string_view::npos
                                                                 : line_feed - line_start);
        // Only a CR directly before the LF belongs to the line break; any other CR is text.
        if (line_feed != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        add_code_of_line(line, codes);
        if (line_feed == std::string_view::npos)
            break;
        line_start = line_feed + 1;
    }
    return codes;
}

std::vector<std::string_view> CodeSet::in_log_order() const {
    std::vector<std::string_view> codes(numbers_.size());
    for (const auto& [code, number] : numbers_)
        codes[number] = code;
    return codes;
}

rt::Value to_report_value(const CodeSet& codes) {
    rt::List list;
    for (const std::string_view code : codes.in_log_order())
        list.push_back(rt::Value(code));
    return rt::Value(std::move(list));
}

std::string_view position_code(std::string_view position) noexcept {
    constexpr std::string_view open_tag = "<kodas>";
    constexpr std::string_view close_tag = "</kodas>";
    const std::size_t open = find_bytes(position, open_tag, 0);
    // Without "<kodas>" the code is read from the seventh byte on, as if the tag stood one byte
    // before the text; such a position then matches only what happens to stand there.
    const std::size_t code_start =
        open == std::string_view::npos ? open_tag.size() - 1 : open + open_tag.size();
    const std::size_t code_end = find_bytes(position, close_tag, code_start);
    return code_end == std::string_view::npos ? std::string_view{}
                                              : position.substr(code_start, code_end - code_start);
}

bool TINKAKOD(std::string_view position, const CodeSet& codes) {
    GPAIS_LEVEL("TINKAKOD", GPAIS_ARGS(position, codes));
    return codes.contains(position_code(position));
}

bool TINKAKOD(std::string_view position, const CodeSet& codes, std::vector<bool>& carried) {
    GPAIS_LEVEL("TINKAKOD", GPAIS_ARGS(position, codes));
    const std::size_t number = codes.number_of(position_code(position));
    if (number == npos)
        return false;
    carried[number] = true;
    return true;
}

std::vector<std::string_view> codes_not_carried(const CodeSet& codes,
                                                const std::vector<bool>& carried) {
    const std::vector<std::string_view> by_number = codes.in_log_order();
    std::vector<std::string_view> missing;
    for (std::size_t number = 0; number < by_number.size(); ++number) {
        if (!carried[number] && !by_number[number].empty())
            missing.push_back(by_number[number]);
    }
    return missing;
}

}  // namespace gpais
