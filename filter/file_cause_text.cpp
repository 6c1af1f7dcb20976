#include "filter/file_cause_text.hpp"

#include <string_view>

namespace gpais {

namespace {

// FormatMessage ends its texts with a period and CR LF, strerror with neither; both come out
// as one line ending in exactly one period.
std::string_view trimmed_system_text(std::string_view text) {
    constexpr std::string_view trailing = " \t\r\n.";
    constexpr std::string_view leading = " \t\r\n";
    const std::size_t last = text.find_last_not_of(trailing);
    if (last == std::string_view::npos)
        return {};
    text = text.substr(0, last + 1);
    return text.substr(text.find_first_not_of(leading));
}

// A system text with a line break inside would break the two-line message apart.
std::string one_line(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    bool in_break = false;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            in_break = true;
            continue;
        }
        if (in_break && !line.empty() && line.back() != ' ')
            line += ' ';
        in_break = false;
        line += c;
    }
    return line;
}

// The sentences a read and a write share; a right is named by what was refused.
std::string cause_text(const FileError& error, std::string_view no_right) {
    switch (error.cause) {
        case FileCause::disk_full:
            return "Diske nebeliko vietos.";
        case FileCause::file_missing:
            return "Nėra tokio failo.";
        case FileCause::folder_missing:
            return "Nėra tokio aplanko.";
        case FileCause::path_is_folder:
            return "Nurodytas kelias yra aplankas.";
        case FileCause::read_only:
            return "Failas pažymėtas tik skaitymui.";
        case FileCause::in_use:
            return "Failą naudoja kita programa.";
        case FileCause::access_denied:
            return std::string(no_right);
        case FileCause::name_too_long:
            return "Kelias per ilgas.";
        case FileCause::other:
            break;
    }
    std::string text = "Sistemos klaida " + std::to_string(error.code);
    const std::string described = one_line(trimmed_system_text(error.system_text));
    if (!described.empty())
        text += ": " + described;
    return text + ".";
}

}  // namespace

std::string write_cause_text(const FileError& error) {
    return cause_text(error, "Nėra teisės rašyti.");
}

std::string read_cause_text(const FileError& error) {
    return cause_text(error, "Nėra teisės skaityti.");
}

}  // namespace gpais
