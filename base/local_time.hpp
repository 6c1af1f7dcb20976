#pragma once
// The wall-clock time where the person is, as much of it as file names and reports need. Read
// in one place, so the program, the command and the crash report agree on what "now" is.

namespace gpais {

struct LocalTime {
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// Safe from any thread: the crash report may read it on a thread of its own.
[[nodiscard]] LocalTime read_local_time() noexcept;

}  // namespace gpais
