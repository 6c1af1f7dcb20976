#include "errors/value.hpp"

#include <array>
#include <charconv>
#include <cstdio>

namespace gpais::rt {

Map::Map() noexcept = default;
Map::Map(const Map& other) = default;
Map::Map(Map&& other) noexcept = default;
Map& Map::operator=(const Map& other) = default;
Map& Map::operator=(Map&& other) noexcept = default;
Map::~Map() = default;

Map::Map(std::initializer_list<MapEntry> entries) {
    for (const auto& entry : entries)
        set(entry.key, entry.value);
}

void Map::set(Value key, Value value) {
    for (auto& entry : entries_) {
        if (entry.key == key) {
            entry.value = std::move(value);
            return;
        }
    }
    entries_.push_back(MapEntry{std::move(key), std::move(value)});
}

bool operator==(const Value& a, const Value& b) {
    return a.data == b.data;
}

namespace {

void append_integer(std::string& out, std::int64_t number) {
    std::array<char, 24> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    out.append(buffer.data(), end);
}

// Shortest text that reads back as the same double, in plain decimal notation: a report is read
// by people, and "1e+20" would not be "decimal notation without blanks".
void append_fraction(std::string& out, double number) {
    std::array<char, 400> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number,
                                   std::chars_format::fixed);
    if (ec != std::errc{}) {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number).ptr;
    }
    out.append(buffer.data(), end);
}

void append_date(std::string& out, const CalendarDate& date) {
    if (date.empty()) {
        out += "0d00000000";
        return;
    }
    const auto ymd = date.ymd();
    std::array<char, 16> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "0d%04d%02u%02u", static_cast<int>(ymd.year()),
                      static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    out.append(buffer.data(), static_cast<std::size_t>(length));
}

bool needs_escaped_form(std::string_view text) {
    if (text.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        return true;
    return text.find('"') != std::string_view::npos && text.find('\'') != std::string_view::npos &&
           text.find(']') != std::string_view::npos;
}

}  // namespace

void append_text_literal(std::string& out, std::string_view text) {
    if (needs_escaped_form(text)) {
        out += "e\"";
        for (const char byte : text) {
            switch (byte) {
                case '\0':
                    out += "\\000";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                default:
                    out += byte;
            }
        }
        out += '"';
        return;
    }
    char open = '"';
    char close = '"';
    if (text.find('"') != std::string_view::npos) {
        if (text.find('\'') == std::string_view::npos) {
            open = close = '\'';
        } else {
            open = '[';
            close = ']';
        }
    }
    out += open;
    out += text;
    out += close;
}

void append_expression_text(std::string& out, const Value& value) {
    struct Writer {
        std::string& out;
        void operator()(std::monostate) const { out += "NIL"; }
        void operator()(bool b) const { out += b ? ".T." : ".F."; }
        void operator()(std::int64_t n) const { append_integer(out, n); }
        void operator()(double d) const { append_fraction(out, d); }
        void operator()(const CalendarDate& d) const { append_date(out, d); }
        void operator()(const std::string& s) const { append_text_literal(out, s); }
        void operator()(const List& list) const {
            out += '{';
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (i > 0)
                    out += ", ";
                append_expression_text(out, list[i]);
            }
            out += '}';
        }
        void operator()(const Map& map) const {
            if (map.empty()) {
                out += "{=>}";
                return;
            }
            out += '{';
            bool first = true;
            for (const auto& entry : map.entries()) {
                if (!first)
                    out += ", ";
                first = false;
                append_expression_text(out, entry.key);
                out += "=>";
                append_expression_text(out, entry.value);
            }
            out += '}';
        }
        void operator()(const CodeBlock&) const { out += "{|| ... }"; }
        void operator()(const FunctionRef& f) const {
            out += '@';
            out += f.name;
            out += "()";
        }
        void operator()(const Pointer&) const { out += "<pointer>"; }
        void operator()(const Opaque&) const { out += "<object>"; }
    };
    std::visit(Writer{out}, value.data);
}

std::string expression_text(const Value& value) {
    std::string out;
    append_expression_text(out, value);
    return out;
}

}  // namespace gpais::rt
