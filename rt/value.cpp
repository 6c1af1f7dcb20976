#include "rt/value.hpp"

#include <array>
#include <charconv>
#include <concepts>
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

// Where an expression text goes: into a string, or only counted, so that the same writer both
// sizes a report and fills it.
struct CountingSink {
    std::size_t most = SIZE_MAX;
    std::size_t size = 0;
    void put(std::string_view text) noexcept { size = add_saturating(size, text.size(), most); }
    void put(char) noexcept { size = add_saturating(size, 1, most); }
};

struct StringSink {
    std::string& out;
    void put(std::string_view text) { out.append(text); }
    void put(char byte) { out.push_back(byte); }
};

// A signed number or a count: 24 bytes hold any 64-bit one.
template <typename Sink, std::integral Number>
void put_integer(Sink& sink, Number number) {
    std::array<char, 24> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    sink.put(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
}

// Shortest text that reads back as the same double, in plain decimal notation: a report is read
// by people, and "1e+20" would not be "decimal notation without blanks".
template <typename Sink>
void put_fraction(Sink& sink, double number) {
    std::array<char, 400> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number,
                                   std::chars_format::fixed);
    if (ec != std::errc{}) {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number).ptr;
    }
    sink.put(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
}

template <typename Sink>
void put_date(Sink& sink, const CalendarDate& date) {
    if (date.empty()) {
        sink.put("0d00000000");
        return;
    }
    const auto ymd = date.ymd();
    std::array<char, 16> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "0d%04d%02u%02u", static_cast<int>(ymd.year()),
                      static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    sink.put(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

bool needs_escaped_form(std::string_view text) {
    if (text.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        return true;
    return text.find('"') != std::string_view::npos && text.find('\'') != std::string_view::npos &&
           text.find(']') != std::string_view::npos;
}

// Runs between the bytes that need escaping go out whole: a document is mostly such runs.
template <typename Sink>
void put_escaped(Sink& sink, std::string_view text) {
    constexpr std::string_view special("\0\n\r\"\\", 5);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t next = text.find_first_of(special, at);
        sink.put(
            text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at));
        if (next == std::string_view::npos)
            return;
        switch (text[next]) {
            case '\0':
                sink.put("\\000");
                break;
            case '\n':
                sink.put("\\n");
                break;
            case '\r':
                sink.put("\\r");
                break;
            case '"':
                sink.put("\\\"");
                break;
            default:
                sink.put("\\\\");
        }
        at = next + 1;
    }
}

// A text between the delimiters that let it be read back: "…", '…', […] or the escaped e"…".
// A shortened one keeps its delimiters and is followed by " … (" + its length + " baitų)".
// The delimiters are those of the whole text, so a shortened text reads as the start of the
// text it stands for.
template <typename Sink>
void put_text(Sink& sink, std::string_view text, const TextLimits& limits) {
    const bool shortened = text.size() > limits.longest_text;
    const std::string_view shown = shortened ? text.substr(0, limits.text_shown) : text;
    if (needs_escaped_form(text)) {
        sink.put("e\"");
        put_escaped(sink, shown);
        sink.put('"');
    } else {
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
        sink.put(open);
        sink.put(shown);
        sink.put(close);
    }
    if (shortened) {
        sink.put(" … (");
        put_integer(sink, text.size());
        sink.put(" baitų)");
    }
}

template <typename Sink>
void put_value(Sink& sink, const Value& value, const TextLimits& limits) {
    struct Writer {
        Sink& sink;
        const TextLimits& limits;
        void operator()(std::monostate) const { sink.put("NIL"); }
        void operator()(bool b) const { sink.put(b ? ".T." : ".F."); }
        void operator()(std::int64_t n) const { put_integer(sink, n); }
        void operator()(double d) const { put_fraction(sink, d); }
        void operator()(const CalendarDate& d) const { put_date(sink, d); }
        void operator()(const std::string& s) const { put_text(sink, s, limits); }
        void operator()(const TextRef& t) const { put_text(sink, t.text, limits); }
        void operator()(const List& list) const {
            const bool shortened = list.size() > limits.longest_list;
            const std::size_t shown = shortened ? limits.list_shown : list.size();
            sink.put('{');
            for (std::size_t i = 0; i < shown; ++i) {
                if (i > 0)
                    sink.put(", ");
                put_value(sink, list[i], limits);
            }
            if (shortened) {
                sink.put(" … (");
                put_integer(sink, list.size());
                sink.put(" elementų)");
            }
            sink.put('}');
        }
        void operator()(const Map& map) const {
            if (map.empty()) {
                sink.put("{=>}");
                return;
            }
            sink.put('{');
            bool first = true;
            for (const auto& entry : map.entries()) {
                if (!first)
                    sink.put(", ");
                first = false;
                put_value(sink, entry.key, limits);
                sink.put("=>");
                put_value(sink, entry.value, limits);
            }
            sink.put('}');
        }
        void operator()(const CodeBlock&) const { sink.put("{|| ... }"); }
        void operator()(const FunctionRef& f) const {
            sink.put('@');
            sink.put(f.name);
            sink.put("()");
        }
        void operator()(const Pointer&) const { sink.put("<pointer>"); }
        void operator()(const Opaque&) const { sink.put("<object>"); }
    };
    std::visit(Writer{sink, limits}, value.data);
}

}  // namespace

void append_expression_text(std::string& out, const Value& value, const TextLimits& limits) {
    StringSink sink{out};
    put_value(sink, value, limits);
}

std::size_t expression_text_size(const Value& value, const TextLimits& limits, std::size_t most) {
    CountingSink sink{most};
    put_value(sink, value, limits);
    return sink.size;
}

std::string expression_text(const Value& value) {
    std::string out;
    append_expression_text(out, value);
    return out;
}

}  // namespace gpais::rt
