#include "filter/date_match.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

Date ymd(int year, int month, int day) {
    return Date::from_numbers(year, month, day);
}

TEST(ReadDateField, ReadsYearMonthDayFromTheFirstTwentyBytes) {
    struct Case {
        const char* name;
        std::string value;
        Date expected;
    };
    const Case cases[] = {
        {"plain date before its closing tag", "2021-03-10</pradetaTiektiNuo>", ymd(2021, 3, 10)},
        {"single-digit month and day", "2020-1-5<", ymd(2020, 1, 5)},
        {"time of day is not read", "2020-01-15T08:30:00", ymd(2020, 1, 15)},
        {"two-digit year", "20-01-15", ymd(2020, 1, 15)},
        {"zero-padded two-digit year", "0020-01-15", ymd(2020, 1, 15)},
        {"year 75 is 1975", "75-06-30", ymd(1975, 6, 30)},
        {"year 49 is 2049", "49-06-30", ymd(2049, 6, 30)},
        {"three-digit year stands", "150-06-30", ymd(150, 6, 30)},
        {"any non-digits separate", "2020/01.15", ymd(2020, 1, 15)},
        {"runs of separators count once", "2020 -- 01 .. 15", ymd(2020, 1, 15)},
        {"leading non-digits are skipped", " \r\n\tx2020-01-15", ymd(2020, 1, 15)},
        {"leading blanks push the day out of the window", "           2020-01-15", ymd(2020, 1, 1)},
        {"day first is not a date", "15-01-2020", Date{}},
        {"empty value", "</pradetaTiektiNuo>\r\n", Date{}},
        {"nothing at all", "", Date{}},
        {"day missing", "2020-01", Date{}},
        {"30 February", "2020-02-30", Date{}},
        {"leap day", "2024-02-29", ymd(2024, 2, 29)},
        {"leap day of 2100", "2100-02-29", Date{}},
        {"five-digit year", "10000-01-01", Date{}},
        {"year of twenty nines", "99999999999999999999", Date{}},
        {"month of many digits", "20-00000000000001-1", ymd(2020, 1, 1)},
        {"month of many nines", "20-999999999999999-1", Date{}},
        {"day that would wrap in 32 bits", "2020-1-4294967297", Date{}},
        {"negative sign is a separator", "-2020-01-15", ymd(2020, 1, 15)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read_date_field(c.value), c.expected) << c.name;
}

TEST(OwnSupplyStart, TakesThePositionsOwnDateNotAPackagingDate) {
    struct Case {
        const char* name;
        std::string position;
        Date expected;
    };
    const Case cases[] = {
        {"own date after the packaging block",
         "<item><gaminioPakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "</gaminioPakuotes><pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2021, 3, 10)},
        {"own date before the packaging block",
         "<item><pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo><gaminioPakuotes>"
         "<pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo></gaminioPakuotes></item>",
         ymd(2021, 3, 10)},
        {"two packaging blocks: the date inside the second",
         "<item><gaminioPakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "</gaminioPakuotes><gaminioPakuotes><pradetaTiektiNuo>2019-06-01</pradetaTiektiNuo>"
         "</gaminioPakuotes><pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2019, 6, 1)},
        {"own date after a pakuotes block",
         "<item><pakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo></pakuotes>"
         "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2021, 3, 10)},
        {"unclosed packaging block: its first date",
         "<item><gaminioPakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2019, 5, 1)},
        {"no date after the packaging block",
         "<item><gaminioPakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "</gaminioPakuotes></item>",
         Date{}},
        {"gaminioPakuotes rule applied, pakuotes rule not looked at",
         "<item><gaminioPakuotes><pakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "</pakuotes><pradetaTiektiNuo>2019-06-01</pradetaTiektiNuo></gaminioPakuotes>"
         "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2021, 3, 10)},
        {"pakuotes rule applies when gaminioPakuotes comes after the date",
         "<item><pakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo></pakuotes>"
         "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo><gaminioPakuotes/></item>",
         ymd(2021, 3, 10)},
        {"first closing tag counts even before the block",
         "<item></pakuotes><pakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo></pakuotes>"
         "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2019, 5, 1)},
        {"a deposit package's pakuotesKodas does not end the packaging block",
         "<prekinisVienetas><pakuotes><vienkartineUzstatinePakuote>"
         "<pakuotesKodas>477</pakuotesKodas><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "</vienkartineUzstatinePakuote></pakuotes>"
         "<pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></prekinisVienetas>",
         ymd(2021, 3, 10)},
        {"a longer name before the own date opens no packaging block",
         "<item><pakuotesRusis>A</pakuotesRusis><pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo>"
         "<pakuotes><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo></pakuotes></item>",
         ymd(2021, 3, 10)},
        {"a block tag with attributes or self-closing is still the block",
         "<item><pakuotes tipas=\"1\"><pradetaTiektiNuo>2019-05-01</pradetaTiektiNuo>"
         "</pakuotes ><pradetaTiektiNuo>2021-03-10</pradetaTiektiNuo></item>",
         ymd(2021, 3, 10)},
        {"longer date tag names match too",
         "<item><pradetaTiektiNuoX>2021-03-10</pradetaTiektiNuoX></item>", ymd(2021, 3, 10)},
        {"no date element", "<item><kodas>A</kodas></item>", Date{}},
        {"empty element", "<item><pradetaTiektiNuo></pradetaTiektiNuo>\r\n</item>", Date{}},
        {"date tag never closed: value from the first byte", "<item><pradetaTiektiNuo", Date{}},
        {"date with attributes", "<item><pradetaTiektiNuo a=\"1\">2021-03-10</pradetaTiektiNuo>",
         ymd(2021, 3, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(own_supply_start(c.position), c.expected) << c.name;
}

TEST(OwnSupplyStart, WithoutClosingBracketTheValueStartsAtTheFirstByte) {
    EXPECT_EQ(own_supply_start("2021-03-10<pradetaTiektiNuo"), ymd(2021, 3, 10));
}

std::string position_dated(const std::string& value) {
    return "<item><kodas>A</kodas><pradetaTiektiNuo>" + value + "</pradetaTiektiNuo></item>";
}

TEST(Tinkadat, KeepsDatesWithinTheClosedPeriod) {
    const Date first = ymd(2021, 1, 1), last = ymd(2021, 1, 31);
    struct Case {
        const char* name;
        std::string value;
        Date first, last;
        bool expected;
    };
    const Case cases[] = {
        {"inside", "2021-01-15", first, last, true},
        {"on the first day", "2021-01-01", first, last, true},
        {"on the last day", "2021-01-31", first, last, true},
        {"a day before", "2020-12-31", first, last, false},
        {"a day after", "2021-02-01", first, last, false},
        {"one-day period", "2021-01-15", ymd(2021, 1, 15), ymd(2021, 1, 15), true},
        {"period start after its end", "2021-01-15", last, first, false},
        {"invalid date", "2021-02-30", first, last, false},
        {"empty value", "", first, last, false},
        {"time of day inside", "2021-01-31T23:59:59", first, last, true},
        {"day first", "15-01-2021", first, last, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TINKADAT(position_dated(c.value), c.first, c.last), c.expected) << c.name;
    }
    EXPECT_FALSE(TINKADAT("<item><kodas>A</kodas></item>", first, last));
}

}  // namespace
}  // namespace gpais
