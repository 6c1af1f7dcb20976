#pragma once
// Filling a string straight from the file, without first writing every byte as zero: for a
// list of hundreds of megabytes that is one pass over the memory of the same cost as the read.

#include <cstddef>
#include <string>

namespace gpais::io {

// Writes up to `size` bytes at `data`; answers how many it wrote.
using fill_function = std::size_t (*)(char* data, std::size_t size, void* context);

// Makes `bytes` `size` long, lets `fill` write them and keeps as many as it wrote.
void fill_string(std::string& bytes, std::size_t size, fill_function fill, void* context);

}  // namespace gpais::io
