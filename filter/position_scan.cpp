#include "filter/position_scan.hpp"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "errors/call_levels.hpp"
#include "filter/byte_search.hpp"

namespace gpais {

namespace {

constexpr std::string_view list_tag = "<produktai";
constexpr std::size_t npos = std::string_view::npos;

// Closing tags already known to be missing from some offset on. The scan only moves forward, so
// such a tag stays missing for the rest of the scan; remembering it keeps a list full of the
// same unclosed tag (a truncated file, "<item/>" written without a space) linear instead of
// searching to the end of the document once per position.
class MissingClosers {
  public:
    bool contains(std::string_view closer) const {
        return !missing_.empty() && missing_.find(closer) != missing_.end();
    }
    void add(std::string_view closer) { missing_.emplace(closer); }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_set<std::string, Hash, std::equal_to<>> missing_;
};

// The document is rewritten in place: bytes before `write` are final, bytes from `pending` up to
// the read point are kept but not yet moved down. Moving them only when a cut ends the stretch
// copies every kept byte at most once, whatever the number of cuts, and copies nothing at all
// when no position is cut.
class InPlaceCutter {
  public:
    explicit InPlaceCutter(std::string& document) : document_(document) {}

    void cut(std::size_t from, std::size_t to) {
        move_pending_down(from);
        pending_ = to;
    }

    void finish() {
        move_pending_down(document_.size());
        document_.resize(write_);
    }

  private:
    void move_pending_down(std::size_t until) {
        const std::size_t length = until - pending_;
        if (write_ != pending_ && length > 0) {
            std::memmove(document_.data() + write_, document_.data() + pending_, length);
        }
        write_ += length;
    }

    std::string& document_;
    std::size_t write_ = 0;
    std::size_t pending_ = 0;
};

// Markup that may stand among the positions but is never a position of its own. Returns the
// offset just after it, npos when its end marker is missing, or nothing when `at` starts no such
// markup.
std::optional<std::size_t> skip_non_position(std::string_view text, std::size_t at) {
    struct Markup {
        std::string_view open, close;
    };
    static constexpr Markup kinds[] = {{"<!--", "-->"}, {"<?", "?>"}};
    for (const Markup& kind : kinds) {
        if (text.substr(at, kind.open.size()) != kind.open)
            continue;
        const std::size_t close = text.find(kind.close, at + kind.open.size());
        return close == npos ? npos : close + kind.close.size();
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> find_list_anchor(std::string_view document) noexcept {
    const std::size_t at = document.find(list_tag);
    if (at == npos)
        return std::nullopt;
    return at;
}

std::size_t scan_positions(std::string& document, std::size_t anchor, const PositionTest& test) {
    // All offsets below are offsets into the bytes as they were read; since every search looks
    // forward from the read point only, a cut behind it changes nothing that is still to be read.
    const std::string_view text = document;
    InPlaceCutter cutter(document);
    MissingClosers missing;
    std::string closer;
    std::size_t kept = 0;
    std::size_t scan_point = std::min(anchor, text.size()) + list_tag.size();
    // Not the document itself: it is the caller's, and would be printed twice.
    GPAIS_LEVEL("scan_positions", GPAIS_ARGS(anchor, test), GPAIS_LOCALS(kept, scan_point));

    while (true) {
        const std::size_t tag_start = text.find('<', scan_point);
        if (tag_start == npos)
            break;
        if (tag_start + 1 < text.size() && text[tag_start + 1] == '/')
            break;  // the list's end

        if (const auto after = skip_non_position(text, tag_start)) {
            if (*after == npos)
                break;
            scan_point = *after;
            continue;
        }

        // Every closing tag holds a ">", so with none left the position can never be closed.
        const std::size_t start_tag_end = text.find('>', tag_start);
        if (start_tag_end == npos)
            break;
        std::string_view name = text.substr(tag_start + 1, start_tag_end - tag_start - 1);
        name = name.substr(0, name.find(' '));
        closer.assign("</").append(name).append(">");

        const std::size_t close_start =
            missing.contains(closer) ? npos : find_bytes(text, closer, tag_start);
        if (close_start == npos) {
            // Without its closing tag the position cannot be delimited: it stays as it is,
            // untested and uncounted, and the scan resumes after its start tag.
            missing.add(closer);
            scan_point = start_tag_end + 1;
            continue;
        }

        const std::size_t position_end = close_start + closer.size();
        if (test(text.substr(tag_start, position_end - tag_start))) {
            ++kept;
        } else {
            cutter.cut(tag_start, position_end);
        }
        scan_point = position_end;
    }

    cutter.finish();
    return kept;
}

}  // namespace gpais
