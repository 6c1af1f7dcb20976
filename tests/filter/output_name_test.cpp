#include "filter/output_name.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

struct NameCase {
    const char* name;
    std::string path;
    LocalTime now;
    std::string expected;
};

TEST(OutputName, PathLessFourCharactersThenDateAndTime) {
    const LocalTime dec7{2026, 12, 7, 9, 5, 0, 0};
    const NameCase cases[] = {
        {"the usual Windows path", "C:\\Duomenys\\sarasas.xml", dec7,
         "C:\\Duomenys\\sarasas_261207 0905.xml"},
        {"a five-character extension loses only four", "sarasas.xmlx", dec7,
         "sarasas._261207 0905.xml"},
        {"a path shorter than four characters leaves only the underscore", "a.x", dec7,
         "_261207 0905.xml"},
        {"exactly four characters leaves only the underscore", "a.xm", dec7, "_261207 0905.xml"},
        {"an empty path gives a name starting with the underscore", "", dec7, "_261207 0905.xml"},
        {"Lithuanian letters in the stem stay whole", "C:\\Dokumentai\\sąrašas.xml", dec7,
         "C:\\Dokumentai\\sąrašas_261207 0905.xml"},
        {"Lithuanian letters in the last four count as one each", "C:\\d\\failasėėėė", dec7,
         "C:\\d\\failas_261207 0905.xml"},
        {"three two-byte letters are fewer than four characters", "ąčę", dec7, "_261207 0905.xml"},
        {"a four-byte character counts once", "ab\xF0\x9F\x98\x80.xm", dec7, "ab_261207 0905.xml"},
        {"midnight and new year", "x.xml", LocalTime{2030, 1, 1, 0, 0, 0, 0}, "x_300101 0000.xml"},
        {"evening, last day of the year", "x.xml", LocalTime{2099, 12, 31, 23, 59, 59, 999},
         "x_991231 2359.xml"},
        {"year 2000 gives 00", "x.xml", LocalTime{2000, 5, 6, 7, 8, 0, 0}, "x_000506 0708.xml"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(default_output_name(c.path, c.now), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace gpais
