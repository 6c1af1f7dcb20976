#pragma once
// Waiting out a moment's hold on a file. A virus scanner, an indexer or a sync client opens a
// file for a moment right after it changes; Windows' own tools try a refused open, move or
// removal again for a second or two before they report it.

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
        next_ = next_ * 2 < longest ? next_ * 2 : longest;
        return true;
    }

  private:
    static constexpr std::chrono::milliseconds allowed{2000};
    static constexpr std::chrono::milliseconds longest{250};
    std::chrono::milliseconds next_{10};
    std::chrono::milliseconds waited_{0};
};

}  // namespace gpais::io
