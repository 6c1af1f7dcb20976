#include "errors/error_record.hpp"

namespace gpais {

Effect effect_of_answer(const ErrorRecord& record, const rt::Value& answer) {
    if (record.CANSUBSTITUTE)
        return Effect::substitute;
    const bool* logical = answer.get_if<bool>();
    if (logical == nullptr)
        return Effect::unrecoverable;
    if (*logical && record.CANRETRY)
        return Effect::retry;
    if (!*logical && record.CANDEFAULT)
        return Effect::take_default;
    return Effect::unrecoverable;
}

}  // namespace gpais
