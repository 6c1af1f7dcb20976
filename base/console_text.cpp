#include "base/console_text.hpp"

#include <string>

#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <io.h>

#include "base/text_convert.hpp"
#include "base/utf8.hpp"
#endif

namespace gpais {

namespace {

bool write_bytes(std::FILE* stream, std::string_view text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    return std::fflush(stream) == 0 && written;
}

#ifdef _WIN32

// Older consoles refuse one WriteConsoleW call of more than about 64 KiB.
constexpr std::size_t console_piece_bytes = 8192;

HANDLE console_of(std::FILE* stream) {
    const int descriptor = ::_fileno(stream);
    if (descriptor < 0)
        return nullptr;
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    DWORD mode = 0;
    // A redirected handle (file, pipe, NUL) has no console mode.
    if (handle == INVALID_HANDLE_VALUE || ::GetConsoleMode(handle, &mode) == FALSE)
        return nullptr;
    return handle;
}

bool write_console(HANDLE console, std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = utf8::piece_end(text, console_piece_bytes);
        const std::wstring piece = to_wide(text.substr(0, end));
        const auto* at = piece.data();
        auto left = static_cast<DWORD>(piece.size());
        while (left > 0) {
            DWORD written = 0;
            if (::WriteConsoleW(console, at, left, &written, nullptr) == FALSE || written == 0)
                return false;
            at += written;
            left -= written;
        }
        text.remove_prefix(end);
    }
    return true;
}

#endif

}  // namespace

bool write_text(std::FILE* stream, std::string_view text) {
#ifdef _WIN32
    if (HANDLE console = console_of(stream)) {
        // Whatever the stream still holds goes first, so the order stays as written.
        const bool flushed = std::fflush(stream) == 0;
        return write_console(console, text) && flushed;
    }
#endif
    return write_bytes(stream, text);
}

bool write_line(std::FILE* stream, std::string_view text) {
    std::string line(text);
    line += '\n';
    return write_text(stream, line);
}

}  // namespace gpais
