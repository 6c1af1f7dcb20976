// Arbitrary bytes as a date value and as a position for the supply-start test, and through the
// character counting that names the output file.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/blank.hpp"
#include "base/utf8.hpp"
#include "filter/date.hpp"
#include "filter/date_match.hpp"
#include "fuzz/fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const gpais::Date date = gpais::read_date_field(bytes);
    if (!date.empty()) {
        FUZZ_CHECK(date.ymd().ok());
        FUZZ_CHECK(date.year() >= 100 && date.year() <= 9999);
        FUZZ_CHECK(gpais::parse_iso_date(gpais::to_iso_string(date)) == date);
    }
    // Only the first 20 bytes may matter.
    FUZZ_CHECK(gpais::read_date_field(bytes.substr(0, 20)) == date);

    const gpais::Date own = gpais::own_supply_start(bytes);
    FUZZ_CHECK(gpais::TINKADAT(bytes, own, own) == !own.empty());
    FUZZ_CHECK(!gpais::TINKADAT(bytes, gpais::Date{}, gpais::Date{}));

    const std::size_t length = gpais::utf8::length(bytes);
    FUZZ_CHECK(length <= bytes.size());
    for (std::size_t drop : {std::size_t{0}, std::size_t{1}, std::size_t{4}, length}) {
        const std::string_view rest = gpais::utf8::drop_last(bytes, drop);
        FUZZ_CHECK(bytes.starts_with(rest));
        FUZZ_CHECK(gpais::utf8::length(rest) == (length > drop ? length - drop : 0));
    }
    if (gpais::is_blank(bytes))
        FUZZ_CHECK(bytes.find_first_not_of(" \t\r\n") == std::string_view::npos);
    return 0;
}
