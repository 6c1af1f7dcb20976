#include "filter/decoded_error_log.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "filter/code_set.hpp"
#include "tests/support/codes_in_log_order.hpp"

namespace gpais {
namespace {

using testing::in_log_order;

// The bytes of `text` as Notepad saves them as "Unicode": a byte-order mark, then UTF-16 units
// (ASCII only here), little or big end first.
std::string utf16(std::string_view text, bool big_endian) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        bytes.push_back(big_endian ? '\0' : c);
        bytes.push_back(big_endian ? c : '\0');
    }
    return bytes;
}

const std::string report = "2023-01-05 klaida: vienetas su kodu: X (produktoKodas=";

// The codes a log names, whichever way Windows saved it.
TEST(DecodedErrorLog, GivesTheCodesOfTheLogAsSaved) {
    struct Case {
        const char* name;
        std::string log;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"UTF-16, little end first",
         utf16(report + "A1) nerastas\r\n" + report + "B2) nerastas", false),
         {"A1", "B2"}},
        {"UTF-16, big end first", utf16(report + "A1) nerastas\r\n", true), {"A1"}},
        {"UTF-16 of odd length: the last byte is dropped",
         utf16(report + "A1) nerastas", false) + "\x41",
         {"A1"}},
        {"UTF-16: a letter, a lone low and a lone high surrogate, then a pair",
         utf16(report, false) +
             std::string("\x05\x01\x00\xDC\x00\xD8\x3D\xD8\x00\xDE)\0 \0n\0e\0r\0a\0s\0t\0a\0s\0",
                         30),
         {"ą\xEF\xBF\xBD\xEF\xBF\xBD😀"}},
        {"UTF-8 byte-order mark is not part of the first line",
         "\xEF\xBB\xBF"
         "12345678901234vienetas su kodu: Q) nerastas",
         {"vienetas su kodu: Q"}},
        {"a UTF-8 byte-order mark inside the log stays",
         "x\n\xEF\xBB\xBF" + report + "A1) nerastas",
         {"A1"}},
        {"without a mark, other bytes stay as they are",
         report + "\xE0\xE8) nerastas",
         {"\xE0\xE8"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(in_log_order(build_code_set(decoded_error_log(c.log))), c.expected) << c.name;
}

}  // namespace
}  // namespace gpais
