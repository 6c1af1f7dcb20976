#include "filter/position_scan.hpp"

#include <algorithm>

#include "filter/closing_tags.hpp"
#include "filter/in_place_cutter.hpp"
#include "filter/npos.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

constexpr std::string_view list_tag = "<produktai";

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

// The offset just after the position that starts at `tag_start`, or npos when it cannot be
// delimited. `closer` is scratch space, kept by the caller so that it is allocated once.
std::size_t position_end(std::string_view text, std::size_t tag_start, ClosingTagFinder& closers,
                         std::string& closer) {
    const std::size_t start_tag_end = text.find('>', tag_start);
    if (start_tag_end == npos)
        return npos;
    const std::string_view start_tag = text.substr(tag_start, start_tag_end + 1 - tag_start);
    const auto end_of_first = [&](std::string_view name) {
        closer.assign("</").append(name).append(">");
        const std::size_t close_start = closers.find(closer, tag_start);
        return close_start == npos ? npos : close_start + closer.size();
    };

    // The name runs from after "<" to the first ">", cut only at a space.
    std::string_view name = start_tag.substr(1, start_tag.size() - 2);
    name = name.substr(0, name.find(' '));
    if (const std::size_t end = end_of_first(name); end != npos)
        return end;
    if (start_tag.size() >= 3 && start_tag.ends_with("/>"))
        return start_tag_end + 1;
    // A tab or line break after the name leaves it holding the attributes; the name a person
    // reads is the one before them.
    const std::string_view plain_name = name.substr(0, name.find_first_of(" \t\r\n"));
    if (!plain_name.empty() && plain_name.size() != name.size())
        return end_of_first(plain_name);
    return npos;
}

}  // namespace

std::optional<std::size_t> find_list_anchor(std::string_view document) noexcept {
    const std::size_t at = document.find(list_tag);
    if (at == npos)
        return std::nullopt;
    return at;
}

std::optional<std::size_t> scan_positions(std::string& document, std::size_t anchor,
                                          const PositionTest& test) {
    // All offsets below are offsets into the bytes as they were read; since every search looks
    // forward from the read point only, a cut behind it changes nothing that is still to be read.
    const std::string_view text = document;
    InPlaceCutter cutter(document);
    ClosingTagFinder closers(text);
    std::string closer;
    std::size_t kept = 0;
    std::size_t scan_point = std::min(anchor, text.size()) + list_tag.size();
    // Not the document itself: it is the caller's, and would be printed twice.
    GPAIS_LEVEL("scan_positions", GPAIS_ARGS(anchor, test), GPAIS_LOCALS(kept, scan_point));

    // A list that stops before its closing tag (a download or an export cut off between two
    // positions, or in a comment that never ends) would be written without the tags that close
    // it, and GPAIS rejects the whole file; it is refused like one that cannot be delimited.
    const auto refuse = [&cutter] {
        cutter.finish();
        return std::optional<std::size_t>{};
    };
    while (true) {
        const std::size_t tag_start = text.find('<', scan_point);
        if (tag_start == npos)
            return refuse();
        if (tag_start + 1 < text.size() && text[tag_start + 1] == '/') {
            // The list's end, unless the document stops inside that closing tag.
            if (text.find('>', tag_start + 2) == npos)
                return refuse();
            break;
        }

        if (const auto after = skip_non_position(text, tag_start)) {
            if (*after == npos)
                return refuse();
            scan_point = *after;
            continue;
        }

        const std::size_t end = position_end(text, tag_start, closers, closer);
        if (end == npos)
            return refuse();
        if (test(text.substr(tag_start, end - tag_start))) {
            ++kept;
        } else {
            cutter.cut(tag_start, end);
        }
        scan_point = end;
    }

    cutter.finish();
    return kept;
}

}  // namespace gpais
