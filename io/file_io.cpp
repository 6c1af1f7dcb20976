#include "io/file_io.hpp"

#include <chrono>
#include <cstdint>
#include <new>
#include <optional>
#include <random>

#include "base/blank.hpp"
#include "base/paths.hpp"
#include "base/scope_exit.hpp"
#include "io/failure_causes.hpp"
#include "io/pieces.hpp"
#include "io/string_fill.hpp"
#include "io/system_calls.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

using namespace io;

namespace {

// "~gpais-XXXXXXXX.tmp": short and of one length, so that a target in a deep folder does not
// give a temporary too long for the system.
system_path temporary_name() {
    static std::mt19937_64 generator{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    constexpr char digits[] = "0123456789abcdef";
    std::uint64_t value = generator();
    system_path name;
    for (const char c : std::string_view("~gpais-00000000.tmp"))
        name.push_back(static_cast<system_path::value_type>(c));
    for (std::size_t at = 7; at < 15; ++at) {
        name[at] = static_cast<system_path::value_type>(digits[value & 15]);
        value >>= 4;
    }
    return name;
}

// Until `size` bytes are in or the file ends: the count read, or nothing on a failed read.
std::optional<std::size_t> read_from(native_file file, char* into, std::size_t size) {
    return read_in_pieces(
        into, size, [file](char* at, std::size_t count) { return read_some(file, at, count); });
}

struct ReadRequest {
    native_file file;
    std::optional<std::size_t> got;
};

std::size_t fill_from_file(char* data, std::size_t size, void* context) {
    auto& request = *static_cast<ReadRequest*>(context);
    prefer_huge_pages(data, size);
    request.got = read_from(request.file, data, size);
    return request.got.value_or(0);
}

}  // namespace

FileResult<std::string> read_file_bytes(std::string_view path_text) {
    GPAIS_LEVEL("read_file_bytes", GPAIS_ARGS(path_text));
    if (path_text.empty())
        return std::string();
    const system_path path = system_path_of(path_text);
    UniqueFile file;
    std::uint64_t size = 0;
    if (FileResult<void> opened = open_for_reading(path, file, size); !opened.ok())
        return opened.error();
    if (!file)
        return std::string();
    std::string bytes;
    // A file too large to hold is a shortage of memory, not a file without content: it must
    // reach the error handler like any other failed allocation instead of reading as empty.
    GPAIS_LINE();
    if (size > bytes.max_size())
        throw std::bad_alloc();
    ReadRequest request{file.get(), std::nullopt};
    fill_string(bytes, static_cast<std::size_t>(size), fill_from_file, &request);
    if (!request.got)
        return last_failure();
    if (bytes.size() == size) {
        // The file grew after its size was taken: take what was added as well.
        char tail[65536];
        while (true) {
            const std::optional<std::size_t> more = read_from(file.get(), tail, sizeof tail);
            if (!more)
                return last_failure();
            if (*more == 0)
                break;
            bytes.append(tail, *more);
        }
    }
    return bytes;
}

std::string read_whole_file(std::string_view path) {
    return read_file_bytes(path).take_value();
}

FileResult<void> replace_file(std::string_view path_text, std::string_view bytes) {
    GPAIS_LEVEL("replace_file", GPAIS_ARGS(path_text, bytes));
    if (is_blank(path_text))
        return invalid_name_failure();
    const char last = path_text.back();
    if (last == '/' || (path_separator != '/' && last == '\\'))
        return refusal(FileCause::path_is_folder);
    system_path target = system_path_of(path_text);
    TargetState state;
    if (FileResult<void> allowed = check_target(target, state); !allowed.ok())
        return allowed;

    // The temporary goes beside the target, so that the final move stays on one volume; a bare
    // name's, in the current folder.
    const system_path folder(split_path(target).folder);
    system_path temp_path;
    UniqueFile file;
    FileResult<void> created = refusal(FileCause::other);
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp_path = folder + temporary_name();
        created = create_new_file(temp_path, file);
        if (created.ok() || !is_name_taken(created.error()))
            break;
    }
    if (!created.ok())
        return created;
    // Whatever stops the replace from here on, no temporary file is left behind.
    ScopeExit remove_unless_moved{[&file, &temp_path] { remove_temporary(file, temp_path); }};

    const bool written = write_in_pieces(bytes, [&file](const char* from, std::size_t count) {
        return write_some(file.get(), from, count);
    });
    if (!written)
        return last_failure();
    // Before the flush, so that the permissions reach the disk with the bytes.
    keep_permissions(file.get(), state);
    if (FileResult<void> flushed = flush_to_disk(file.get()); !flushed.ok())
        return flushed;
    if (FileResult<void> moved = move_over(file, temp_path, target); !moved.ok())
        return moved;
    remove_unless_moved.release();
    // The new file is in place; should its move fail to reach the disk it may not survive a
    // power cut, and the person is told so rather than told it was saved.
    return make_move_durable(file, target);
}

}  // namespace gpais
