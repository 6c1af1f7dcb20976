#include "io/file_port.hpp"

#include "io/file_io.hpp"

namespace gpais {

LocalTime FilePort::local_time() {
    return read_local_time();
}

FileResult<std::string> FilePort::read_file(std::string_view path) {
    return read_file_bytes(path);
}

FileResult<void> FilePort::write_file(std::string_view path, std::string_view bytes) {
    return replace_file(path, bytes);
}

}  // namespace gpais
