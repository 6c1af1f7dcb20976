#pragma once
// Error-log mode: the product codes that a GPAIS error log names as not found, and the test
// that keeps a position whose code is among them.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/string_hash.hpp"
#include "filter/npos.hpp"
#include "rt/value.hpp"

namespace gpais {

// Each code once, numbered in the order the log first names it: the order in which the person
// is told of the codes the list lacks.
class CodeSet {
  public:
    CodeSet() = default;
    CodeSet(std::initializer_list<std::string_view> codes) {
        for (const std::string_view code : codes)
            add(code);
    }

    // A code already there keeps its first number.
    void add(std::string_view code) { numbers_.try_emplace(std::string(code), numbers_.size()); }

    // 0 for the code named first, npos for a code the set does not hold.
    [[nodiscard]] std::size_t number_of(std::string_view code) const {
        const auto found = numbers_.find(code);
        return found == numbers_.end() ? npos : found->second;
    }
    [[nodiscard]] bool contains(std::string_view code) const { return number_of(code) != npos; }
    [[nodiscard]] bool empty() const noexcept { return numbers_.empty(); }
    [[nodiscard]] std::size_t size() const noexcept { return numbers_.size(); }

    // Every code, in the order the log first names them; valid while the set lives.
    [[nodiscard]] std::vector<std::string_view> in_log_order() const;

  private:
    std::unordered_map<std::string, std::size_t, StringHash, std::equal_to<>> numbers_;
};

// A report shows the codes in the order the log names them.
[[nodiscard]] rt::Value to_report_value(const CodeSet& codes);

// The code set from an error log's text, as decoded_error_log gives it from the file's bytes
// (reading and decoding the file are the caller's business).
[[nodiscard]] CodeSet build_code_set(std::string_view error_log);

// The position's code as TINKAKOD reads it: the text of its first <kodas> element.
[[nodiscard]] std::string_view position_code(std::string_view position) noexcept;

// True when the position's code (its first <kodas> element) is in the set.
[[nodiscard]] bool TINKAKOD(std::string_view position, const CodeSet& codes);
// The same test, also setting the flag of the code that keeps the position (`carried` holds one
// flag per code of the set, by its number), so one scan tells which codes the list lacks.
[[nodiscard]] bool TINKAKOD(std::string_view position, const CodeSet& codes,
                            std::vector<bool>& carried);

// The codes whose flag `carried` does not set, in the order the log first names them. The empty
// code is never among them: it names no product a person could register.
[[nodiscard]] std::vector<std::string_view> codes_not_carried(const CodeSet& codes,
                                                              const std::vector<bool>& carried);

}  // namespace gpais
