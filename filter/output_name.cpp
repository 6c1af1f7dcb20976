#include "filter/output_name.hpp"

#include "base/utf8.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

void append_two_digits(std::string& out, long long value) {
    const auto two = static_cast<int>(((value % 100) + 100) % 100);
    out.push_back(static_cast<char>('0' + two / 10));
    out.push_back(static_cast<char>('0' + two % 10));
}

}  // namespace

std::string default_output_name(std::string_view product_list_path, const LocalTime& now) {
    std::string name;
    GPAIS_LEVEL("default_output_name", GPAIS_ARGS(product_list_path, now), GPAIS_LOCALS(name));
    name = utf8::drop_last(product_list_path, 4);
    name += '_';
    append_two_digits(name, now.year);
    append_two_digits(name, now.month);
    append_two_digits(name, now.day);
    name += ' ';
    append_two_digits(name, now.hour);
    append_two_digits(name, now.minute);
    name += ".xml";
    return name;
}

}  // namespace gpais
