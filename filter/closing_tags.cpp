#include "filter/closing_tags.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <random>

#include "filter/byte_search.hpp"
#include "filter/modular_hash.hpp"
#include "filter/scan_paths.hpp"

#if GPAIS_VECTOR_SCAN
#include <emmintrin.h>
#endif

namespace gpais {

namespace {

// Tokens are hashed as numbers modulo the prime 2^61 - 1 with a base drawn once a run: a
// document cannot be written to make many tokens collide, as it could against a fixed base or
// arithmetic modulo 2^64.
using modular::modulus;
using modular::multiply;
using modular::reduce;

std::uint64_t random_base() {
    std::random_device device;
    std::seed_seq seed{
        device(), device(),
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    std::mt19937_64 generator(seed);
    return std::uniform_int_distribution<std::uint64_t>(256, modulus - 2)(generator);
}

// Drawn when the first index is built, not while the program starts: a failure to draw then
// reaches the error handler like any other.
std::uint64_t hash_base() {
    static const std::uint64_t base = random_base();
    return base;
}

// Up to seven bytes as one number below the modulus.
std::uint64_t chunk_at(const char* bytes, std::size_t count) noexcept {
    std::uint64_t value = 0;
    for (std::size_t at = count; at-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at]);
    return value;
}

// Hashes texts that all end at the same byte, in seven-byte chunks counted from that end, so
// that every closing tag of a run like "</</</x>" is hashed in constant time from the chunks
// its longer neighbour already took.
class TailHasher {
  public:
    explicit TailHasher(const char* end) : end_(end), base_(hash_base()) {}

    // The text of `length` bytes that ends at the shared end. Lengths must not shrink.
    std::uint64_t hash(std::size_t length) noexcept {
        for (const std::size_t whole = length / 7; chunks_ < whole; ++chunks_) {
            sum_ = reduce(sum_ + multiply(chunk_at(end_ - 7 * (chunks_ + 1), 7), power_));
            power_ = multiply(power_, base_);
        }
        return reduce(sum_ + multiply(chunk_at(end_ - length, length % 7), power_));
    }

  private:
    const char* end_;
    std::uint64_t base_;
    std::uint64_t sum_ = 0;
    std::uint64_t power_ = 1;
    std::size_t chunks_ = 0;
};

// Marks every byte that follows a "<" in [from, until), "/" included. A list has a "<" every
// dozen bytes, too many to stop at one by one.
void mark_bytes_after_opens(std::string_view text, std::size_t from, std::size_t until,
                            std::array<bool, 256>& marked) noexcept {
    const auto mark = [&](std::size_t at) {
        if (at + 1 < text.size())
            marked[static_cast<unsigned char>(text[at + 1])] = true;
    };
    std::size_t at = from;
#if GPAIS_VECTOR_SCAN
    const __m128i open = _mm_set1_epi8('<');
    for (; at + 16 <= until; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, open)));
             mask != 0; mask &= mask - 1)
            mark(at + static_cast<std::size_t>(std::countr_zero(mask)));
    }
#endif
    for (; at < until; ++at) {
        if (text[at] == '<')
            mark(at);
    }
}

// Which bytes follow a "<" in the document, learnt from `from` on and only as far as asked. A
// closer is looked for only by a start tag before it, "<" + name, so a token whose name begins
// with a byte that no "<" before it is followed by is never asked about. Applied to the tokens of
// a run of "</" before one ">" ("</</</x>", names beginning with "<"), this keeps them out of the
// index unless the document also holds "<<". The start tags are looked at only when such a run
// turns up: an ordinary list has none.
class StartTagNames {
  public:
    StartTagNames(std::string_view text, std::size_t from) noexcept
        : text_(text), known_to_(from) {}

    // Learns the start tags before `until`.
    void learn_until(std::size_t until) noexcept {
        if (until > known_to_)
            mark_bytes_after_opens(text_, known_to_, until, opens_with_);
        known_to_ = std::max(known_to_, until);
    }

    // Whether a start tag learnt may ask for the token from `token_start` to its ">" at `close`.
    [[nodiscard]] bool may_ask_for(std::size_t token_start, std::size_t close) const noexcept {
        const std::size_t name_start = token_start + 2;
        if (name_start == close)  // the empty name, of "<>" or "< ..."
            return opens_with_['>'] || opens_with_[' '];
        return opens_with_[static_cast<unsigned char>(text_[name_start])];
    }

  private:
    std::string_view text_;
    std::array<bool, 256> opens_with_{};
    std::size_t known_to_;
};

}  // namespace

std::size_t ClosingTagFinder::find(std::string_view closer, std::size_t from) {
    if (indexed_)
        return find_indexed(closer, from);
    // Until one is missing, a closing tag is searched for directly: it ends the position that
    // the scan then steps over, so every byte searched is passed once.
    const std::size_t at = find_bytes(text_, closer, from);
    if (at == npos)
        build_index(from);
    return at;
}

ClosingTagFinder::Slot& ClosingTagFinder::slot_for(std::uint64_t hash,
                                                   std::size_t length) noexcept {
    const std::size_t mask = slots_.size() - 1;
    // The hashes of a run's tokens are related; multiplying spreads them over the table.
    const auto spread = static_cast<std::size_t>((hash * 0x9e3779b97f4a7c15u) >> 32);
    for (std::size_t at = spread & mask;; at = (at + 1) & mask) {
        Slot& slot = slots_[at];
        if (slot.length == 0 || (slot.hash == hash && slot.length == length))
            return slot;
    }
}

void ClosingTagFinder::add_token(std::uint64_t hash, std::size_t length, std::size_t offset) {
    if (2 * (slots_used_ + 1) > slots_.size()) {
        std::vector<Slot> old(slots_.empty() ? 256 : 2 * slots_.size());
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.length != 0)
                slot_for(slot.hash, slot.length) = slot;
        }
    }
    Slot& slot = slot_for(hash, length);
    if (slot.length == 0)
        ++slots_used_;
    slot = Slot{hash, length, offset};
}

std::size_t ClosingTagFinder::find_indexed(std::string_view closer, std::size_t from) {
    if (slots_.empty())
        return npos;
    const Slot& slot =
        slot_for(TailHasher(closer.data() + closer.size()).hash(closer.size()), closer.size());
    if (slot.length == 0 || slot.last < from)
        return npos;
    return find_bytes(text_, closer, from);
}

void ClosingTagFinder::build_index(std::size_t from) {
    indexed_ = true;
    StartTagNames start_tags(text_, from);
    std::vector<std::size_t> starts;
    std::size_t cursor = from;
    while (true) {
        const std::size_t first = find_bytes(text_, "</", cursor);
        if (first == npos)
            break;
        // Every "</" from `first` up to this ">" begins a token that ends here.
        const std::size_t close = text_.find('>', first + 2);
        if (close == npos)
            break;
        const std::string_view segment = text_.substr(0, close);
        // A closing tag looked for never holds a space: the name is cut at the first one.
        const std::size_t space = segment.substr(first).rfind(' ');
        const std::size_t last_space = space == npos ? npos : first + space;
        starts.clear();
        for (std::size_t at = first; at != npos; at = find_bytes(segment, "</", at + 1))
            starts.push_back(at);
        const bool run = starts.size() > 1;
        if (run)
            start_tags.learn_until(close);
        TailHasher hasher(text_.data() + close + 1);
        for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
            if (last_space != npos && *start <= last_space)
                break;
            if (run && !start_tags.may_ask_for(*start, close))
                continue;
            const std::size_t length = close + 1 - *start;
            add_token(hasher.hash(length), length, *start);
        }
        cursor = close + 1;
    }
}

}  // namespace gpais
