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
#include <unordered_map>
#include <vector>

namespace gpais {

class ClosingTagFinder {
  public:
    explicit ClosingTagFinder(std::string_view text) : text_(text) {}

    // Offset of the first `closer` ("</" + name + ">", the name holding neither ">" nor a space,
    // as every tag name the scan takes) at or after `from`, or npos. Linear overall as long as
    // `from` never decreases between calls.
    [[nodiscard]] std::size_t find(std::string_view closer, std::size_t from);

    [[nodiscard]] bool indexed() const noexcept { return indexed_; }

  private:
    // A closing tag as it stands in the document: from its "</" to the first ">" after it.
    // Every occurrence of a closer is exactly such a token, since a closer's name holds no ">".
    // Tokens are known by length and hash, not by their bytes: the scan overwrites the bytes
    // behind it as it compacts the document, so only an occurrence still ahead of it can be
    // compared with a closer.
    struct Token {
        std::uint64_t hash;
        std::size_t length;
        bool operator==(const Token&) const noexcept = default;
    };
    struct TokenHash {
        std::size_t operator()(const Token& token) const noexcept {
            return static_cast<std::size_t>(token.hash ^ (token.hash >> 32));
        }
    };
    struct Occurrences {
        std::vector<std::size_t> offsets;  // ascending
        std::size_t next = 0;              // the first offset not yet passed by the scan
    };

    void build_index(std::size_t from);
    std::size_t find_indexed(std::string_view closer, std::size_t from);

    std::string_view text_;
    bool indexed_ = false;
    std::unordered_map<Token, Occurrences, TokenHash> index_;
};

}  // namespace gpais
