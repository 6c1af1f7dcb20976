#include <gtest/gtest.h>

#include <string>

#include "errors/crash_report.hpp"
#include "errors/error_record.hpp"

namespace {

TEST(ErrorCodeNames, NamedUnnamedAndOutOfRange) {
    struct Case {
        int code;
        std::string expected;
    };
    const Case cases[] = {
        {1, "EG_ARG"},
        {2, "EG_BOUND"},
        {5, "EG_ZERODIV"},
        {8, "EG_COMPLEXITY"},
        {11, "EG_MEM"},
        {18, "EG_DUPALIAS"},
        {20, "EG_CREATE"},
        {21, "EG_OPEN"},
        {25, "EG_PRINT"},
        {30, "EG_UNSUPPORTED"},
        {33, "EG_DATATYPE"},
        {40, "EG_APPENDLOCK"},
        {41, "EG_LOCK"},
        {0, ""},
        {9, ""},
        {10, ""},
        {19, ""},
        {26, ""},
        {27, ""},
        {28, ""},
        {29, ""},
        {42, ""},
        {-1, ""},
        {1000, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gpais::ERRDESCCODE(c.code), c.expected) << c.code;
}

TEST(HandlerAnswers, DecideWhatTheFailedOperationDoes) {
    using gpais::Effect;
    using gpais::rt::Value;
    struct Case {
        const char* name;
        bool can_substitute, can_retry, can_default;
        Value answer;
        Effect expected;
    };
    const Case cases[] = {
        {"zero_replaces_result", true, false, false, Value(0), Effect::substitute},
        {"nothing_replaces_result", true, true, true, Value{}, Effect::substitute},
        {"true_retries", false, true, false, Value(true), Effect::retry},
        {"false_takes_default", false, false, true, Value(false), Effect::take_default},
        {"true_without_retry", false, false, true, Value(true), Effect::unrecoverable},
        {"false_without_default", false, true, false, Value(false), Effect::unrecoverable},
        {"nothing_without_substitute", false, true, true, Value{}, Effect::unrecoverable},
        {"zero_without_substitute", false, true, true, Value(0), Effect::unrecoverable},
    };
    for (const auto& c : cases) {
        gpais::ErrorRecord record;
        record.CANSUBSTITUTE = c.can_substitute;
        record.CANRETRY = c.can_retry;
        record.CANDEFAULT = c.can_default;
        EXPECT_EQ(gpais::effect_of_answer(record, c.answer), c.expected) << c.name;
    }
}

}  // namespace
