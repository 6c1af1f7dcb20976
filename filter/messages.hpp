#pragma once
// The messages the person reads from a run and from the dialog's own checks, each with the
// caption over it and the icon beside it (base/message_box.hpp), and the texts of the choosers.
// Kept in one table so the Windows program, the command line and the tests cannot come to say
// different things. The words for why a file could not be read or written are in
// filter/file_cause_text.cpp, the crash message in errors/.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "base/message_box.hpp"

namespace gpais {

struct Message {
    std::string_view text;
    std::string_view caption;
    Icon icon;
};

// A message whose text is put together when it is shown, so it owns that text.
struct ComposedMessage {
    std::string text;
    std::string_view caption;
    Icon icon;

    // Valid while this message lives.
    [[nodiscard]] Message view() const noexcept { return {text, caption, icon}; }
};

// The texts of a file chooser: its title and the one file type it offers.
struct ChooserText {
    std::string_view title;
    std::string_view file_type;  // what the person reads in the type list
    std::string_view pattern;    // the names that type shows
};

namespace messages {

inline constexpr Message bad_product_list{"Blogas nurodyto failo turinys", caption_error,
                                          Icon::error};
inline constexpr Message no_codes{"Klaidų faile neradau produktų kodų", caption_error, Icon::error};
// Captioned as information but shown with the warning's icon: nothing failed, yet the person
// gets no file.
inline constexpr Message nothing_kept{"Gaila bet neradau nei vienos tinkamos pozicijos",
                                      caption_information, Icon::warning};
// The dialog's own checks, made before a run starts; the command line makes the same two.
inline constexpr Message bad_period{"Blogai nurodytos periodo datos", caption_notice,
                                    Icon::warning};
inline constexpr Message no_product_list{"Nenurodytas pradinis failas", caption_notice,
                                         Icon::warning};
// A folder dropped on the dialog: the fields keep the paths they had.
inline constexpr Message dropped_folder{"Nurodytas aplankas, o ne failas", caption_notice,
                                        Icon::warning};

// "Sveikinu, failas suformuotas su N pozicijoms."
[[nodiscard]] inline ComposedMessage file_written(std::size_t kept) {
    std::string text = "Sveikinu, failas suformuotas su ";
    text.append(std::to_string(kept)).append(" pozicijoms.");
    return {std::move(text), caption_information, Icon::information};
}

// "Nepavyko įrašyti failo: PATH", and on the next line the cause in the person's words.
[[nodiscard]] inline ComposedMessage file_not_written(std::string_view path,
                                                      std::string_view cause) {
    std::string text = "Nepavyko įrašyti failo: ";
    text.append(path).append("\n").append(cause);
    return {std::move(text), caption_error, Icon::error};
}

// The message, and on the next line what the person should know besides.
[[nodiscard]] inline ComposedMessage with_line(const Message& message, std::string_view line) {
    std::string text(message.text);
    text.append("\n").append(line);
    return {std::move(text), message.caption, message.icon};
}

// The lines under a run's message name at most this many codes; "…" stands for the rest, so a
// long list cannot flood the box.
inline constexpr std::size_t codes_named = 10;
// How a position whose code is empty is named in such a line.
inline constexpr std::string_view no_code = "be kodo";

// PREFIX + "N (A, B, …)": how many there are and the first of them, each already in the form
// it is shown in (`first` holds at most `codes_named`, fewer only when `count` is smaller).
[[nodiscard]] inline std::string counted_codes(std::string_view prefix, std::size_t count,
                                               std::span<const std::string> first) {
    std::string line(prefix);
    line.append(std::to_string(count)).append(" (");
    for (std::size_t at = 0; at < first.size(); ++at) {
        if (at > 0)
            line.append(", ");
        line.append(first[at]);
    }
    if (count > first.size())
        line.append(", …");
    return line.append(")");
}

// Error-log mode: the codes that the error log names and no position of the list carries, so
// the person knows those products must be registered before the journal goes in again.
[[nodiscard]] inline std::string codes_not_in_list(std::size_t count,
                                                   std::span<const std::string> first) {
    return counted_codes("Sąraše nėra klaidų faile nurodytų kodų: ", count, first);
}

// Period mode: the positions cut because their own supply-start date is missing or no date at
// all, which no period can keep.
[[nodiscard]] inline std::string positions_without_date(std::size_t count,
                                                        std::span<const std::string> first) {
    return counted_codes("Pozicijų be tinkamos tiekimo pradžios datos: ", count, first);
}

// Choosing the product list to read and, with the same words, where to save the result.
inline constexpr ChooserText list_chooser{"GPAIS failų tvarkytojas", "GPAIS failai (*.xml)",
                                          "*.xml"};
inline constexpr ChooserText log_chooser{"GPAIS klaidų failas", "GPAIS klaidos (*.log,*.txt)",
                                         "*.log;*.txt"};

}  // namespace messages

}  // namespace gpais
