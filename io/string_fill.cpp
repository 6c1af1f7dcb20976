// Built as C++23 (io/CMakeLists.txt) for std::string::resize_and_overwrite, whose string is the
// same type in every standard; where the library lacks it, the string is zeroed first.
#include "io/string_fill.hpp"

namespace gpais::io {

void fill_string(std::string& bytes, std::size_t size, fill_function fill, void* context) {
#ifdef __cpp_lib_string_resize_and_overwrite
    bytes.resize_and_overwrite(
        size, [fill, context](char* data, std::size_t room) { return fill(data, room, context); });
#else
    bytes.resize(size);
    bytes.resize(fill(bytes.data(), size, context));
#endif
}

}  // namespace gpais::io
