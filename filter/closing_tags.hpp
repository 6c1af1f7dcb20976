#pragma once
// Answers "where is the first closing tag </X> at or after this offset" for a document that a
// scan walks forward once. The first answers come from a plain search; the first search that
// runs to the end of the document without a hit shows that closing tags may be missing, and
// from then on every answer comes from an index of the document's closing tags, built once.
// So a list with thousands of distinct unclosed positions costs two passes over the document,
// not one pass per position.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "filter/npos.hpp"

namespace gpais {

class ClosingTagFinder {
  public:
    explicit ClosingTagFinder(std::string_view text) : text_(text) {}

    // Offset of the first `closer` at or after `from`, or npos. As in the scan, `from` is the
    // "<" of a start tag and `closer` is "</" + a name that follows that "<" + ">"; the name
    // holds neither ">" nor a space. Linear overall as long as `from` never decreases.
    [[nodiscard]] std::size_t find(std::string_view closer, std::size_t from);

    [[nodiscard]] bool indexed() const noexcept { return indexed_; }

  private:
    // A closing tag as it stands in the document: from its "</" to the first ">" after it.
    // Every occurrence of a closer is exactly such a token, since a closer's name holds no ">".
    // The index keeps, per distinct token, only its length, hash and last offset: enough to
    // answer "none from here on" at once, while a closer that does follow is found by a plain
    // search that ends inside the position it closes, so the scan passes its bytes only once.
    // Bytes are not kept: the scan overwrites those behind it as it compacts the document.
    // One open-addressed slot per distinct token, since a run of "</" makes as many distinct
    // tokens as it has pairs of bytes, and a node or a list per token would cost more than the
    // whole scan.
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t length = 0;  // 0: the slot is free (a token has at least three bytes)
        std::size_t last = 0;
    };

    void build_index(std::size_t from);
    void add_token(std::uint64_t hash, std::size_t length, std::size_t offset);
    Slot& slot_for(std::uint64_t hash, std::size_t length) noexcept;
    std::size_t find_indexed(std::string_view closer, std::size_t from);

    std::string_view text_;
    bool indexed_ = false;
    std::vector<Slot> slots_;  // a power of two in size, at most half in use
    std::size_t slots_used_ = 0;
};

}  // namespace gpais
