// Memory in the program's own address space, for the messages whose parameters point at data:
// Windows does not carry what they point at across processes, so it is placed there and read
// back from there. Freed again whatever happens.
#pragma once

#include <windows.h>

#include <cstddef>

#include "check.hpp"

namespace gpais::e2e {

class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, std::size_t size)
        : process_(process),
          address_(
              ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        expect(address_ != nullptr, "cannot place a buffer in the program's memory");
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() { ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

    // The address as the program sees it, `offset` bytes in.
    LPARAM address(std::size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    void write(const void* bytes, std::size_t size, std::size_t offset = 0) {
        SIZE_T written = 0;
        expect(::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, bytes, size,
                                    &written) &&
                   written == size,
               "cannot write the program's memory");
    }
    void read(void* bytes, std::size_t size) const {
        SIZE_T read = 0;
        expect(::ReadProcessMemory(process_, address_, bytes, size, &read) && read == size,
               "cannot read the program's memory");
    }

  private:
    HANDLE process_;
    void* address_;
};

// One value of a fixed size.
template <typename Value>
class RemoteValue {
  public:
    explicit RemoteValue(HANDLE process) : buffer_(process, sizeof(Value)) {}

    LPARAM address() const { return buffer_.address(); }
    void write(const Value& value) { buffer_.write(&value, sizeof value); }
    Value read() const {
        Value value{};
        buffer_.read(&value, sizeof value);
        return value;
    }

  private:
    RemoteBuffer buffer_;
};

}  // namespace gpais::e2e
