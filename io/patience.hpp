#pragma once
// Waiting out a moment's hold on a file. A virus scanner, an indexer or a sync client opens a
// file for a moment right after it changes; Windows' own tools try a refused open, move or
// removal again for a second or two before they report it.

#include <atomic>
#include <chrono>
#include <thread>

namespace gpais::io {

class Patience {
  public:
    // Waits and answers true while the time allowed lasts: 10 ms, doubling up to 250 ms a
    // wait, about two seconds in all. False, without a wait, once it is spent.
    bool wait_before_retry() {
        if (waited_ >= allowed)
            return false;
        std::this_thread::sleep_for(next_);
        waited_ += next_;
        waited_in_process_.fetch_add(next_.count(), std::memory_order_relaxed);
        next_ = next_ * 2 < longest ? next_ * 2 : longest;
        return true;
    }

    // What one Patience waits before it is spent: the promise that a file held for good is
    // reported within about two seconds, not after several such waits one after another.
    static constexpr std::chrono::milliseconds spent() noexcept {
        std::chrono::milliseconds waited{0};
        for (std::chrono::milliseconds next{10}; waited < allowed;
             next = next * 2 < longest ? next * 2 : longest)
            waited += next;
        return waited;
    }

    // Every wait of every Patience in this process so far, so that the time a call spent
    // waiting for a held file is known without a clock.
    static std::chrono::milliseconds waited_in_process() noexcept {
        return std::chrono::milliseconds{waited_in_process_.load(std::memory_order_relaxed)};
    }

  private:
    static constexpr std::chrono::milliseconds allowed{2000};
    static constexpr std::chrono::milliseconds longest{250};
    static inline std::atomic<std::chrono::milliseconds::rep> waited_in_process_{0};
    std::chrono::milliseconds next_{10};
    std::chrono::milliseconds waited_{0};
};

static_assert(Patience::spent() < std::chrono::milliseconds{2500});

}  // namespace gpais::io
