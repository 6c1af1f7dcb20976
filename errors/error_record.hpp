#pragma once
// What a failed operation hands to the error handler, and what the operation makes of the
// handler's answer.

#include <cstdint>
#include <optional>
#include <string>

#include "rt/value.hpp"

namespace gpais {

// Generic codes the policy and the built-in failures use; the whole table of names is
// ERRDESCCODE's.
namespace gencode {
inline constexpr int bound = 2;
inline constexpr int zero_division = 5;
inline constexpr int memory = 11;
inline constexpr int open = 21;
inline constexpr int append_lock = 40;
inline constexpr int lock = 41;
}  // namespace gencode

inline constexpr std::int64_t sharing_violation = 32;  // ERROR_SHARING_VIOLATION

// Every member has an initializer, so a record may name only the fields it sets.
struct ErrorRecord {
    std::optional<rt::List> ARGS{};  // nothing when the operation has no operands to report
    bool CANDEFAULT = false;
    bool CANRETRY = false;
    bool CANSUBSTITUTE = false;
    std::string DESCRIPTION{};
    std::string FILENAME{};
    int GENCODE = 0;
    std::string OPERATION{};
    std::int64_t OSCODE = 0;
    int SUBCODE = 0;
    std::string SUBSYSTEM{};
};

// What the failed operation does next.
enum class Effect {
    substitute,     // the answer becomes its result
    retry,          // it is tried again
    take_default,   // it fails quietly and the program goes on
    unrecoverable,  // the process ends with exit code 1
};

// The answer is one of the number 0, true, false or nothing; anything the record does not
// allow is unrecoverable.
[[nodiscard]] Effect effect_of_answer(const ErrorRecord& record, const rt::Value& answer);

}  // namespace gpais
