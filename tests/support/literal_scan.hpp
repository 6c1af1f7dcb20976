#pragma once
// The position scan written as literally as it is described, for the unit tests and the fuzz
// target to hold the one-pass scan against.

#include <cstddef>
#include <optional>
#include <string>

#include "filter/position_scan.hpp"

namespace gpais::testing {

inline constexpr std::size_t npos = std::string::npos;

// Where the position that starts at `p` ends in the document as it now stands, or npos: the
// first closing tag of its name; else a self-closing start tag alone; else the first closing tag
// of its name cut at a tab or line break.
inline std::size_t literal_end(const std::string& doc, std::size_t p) {
    const std::size_t gt = doc.find('>', p);
    if (gt == npos)
        return npos;
    std::string name = doc.substr(p + 1, gt - p - 1);
    name = name.substr(0, name.find(' '));
    if (const std::size_t close = doc.find("</" + name + ">", p); close != npos)
        return close + name.size() + 3;
    if (gt - p >= 2 && doc[gt - 1] == '/')
        return gt + 1;
    const std::string plain = name.substr(0, name.find_first_of(" \t\r\n"));
    if (!plain.empty() && plain != name) {
        if (const std::size_t close = doc.find("</" + plain + ">", p); close != npos)
            return close + plain.size() + 3;
    }
    return npos;
}

// The scan written as literally as it is described: remove a failing position from the
// document and look again from where it began. Slow, obviously right, and the yardstick for the
// one-pass scan, including its refusal of a list it cannot delimit or that stops before its
// closing tag.
inline std::optional<std::size_t> reference_scan(std::string& doc, std::size_t anchor,
                                                 const PositionTest& test) {
    std::size_t kept = 0;
    std::size_t scan_point = anchor + 10;
    while (true) {
        const std::size_t p = doc.find('<', scan_point);
        if (p == npos)
            return std::nullopt;  // the end of the document before the list's closing tag
        if (p + 1 < doc.size() && doc[p + 1] == '/') {
            if (doc.find('>', p) == npos)
                return std::nullopt;  // the document stops inside that closing tag
            break;
        }
        if (doc.compare(p, 4, "<!--") == 0) {
            const std::size_t end = doc.find("-->", p + 4);
            if (end == npos)
                return std::nullopt;
            scan_point = end + 3;
            continue;
        }
        if (doc.compare(p, 2, "<?") == 0) {
            const std::size_t end = doc.find("?>", p + 2);
            if (end == npos)
                return std::nullopt;
            scan_point = end + 2;
            continue;
        }
        const std::size_t end = literal_end(doc, p);
        if (end == npos)
            return std::nullopt;
        if (test(doc.substr(p, end - p))) {
            ++kept;
            scan_point = end;
        } else {
            doc.erase(p, end - p);
            scan_point = p;
        }
    }
    return kept;
}

}  // namespace gpais::testing
