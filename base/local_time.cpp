#include "base/local_time.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <ctime>
#endif

namespace gpais {

#ifdef _WIN32

LocalTime read_local_time() noexcept {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                     now.wMinute, now.wSecond, now.wMilliseconds};
}

#else

LocalTime read_local_time() noexcept {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    if (localtime_r(&seconds, &parts) == nullptr)
        return {};
    const auto since_second =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    return LocalTime{parts.tm_year + 1900,
                     static_cast<unsigned>(parts.tm_mon + 1),
                     static_cast<unsigned>(parts.tm_mday),
                     static_cast<unsigned>(parts.tm_hour),
                     static_cast<unsigned>(parts.tm_min),
                     static_cast<unsigned>(parts.tm_sec),
                     static_cast<unsigned>(since_second.count())};
}

#endif

}  // namespace gpais
