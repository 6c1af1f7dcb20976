#pragma once
// Cuts stretches out of a document in place, while it is read from front to back.

#include <cstddef>
#include <cstring>
#include <string>

#include "filter/scan_work.hpp"

namespace gpais {

// Bytes before `write` are final, bytes from `pending` up to the read point are kept but not yet
// moved down. Moving them only when a cut ends the stretch copies every kept byte at most once,
// whatever the number of cuts, and copies nothing at all when nothing is cut. Cuts come in
// document order and never overlap; every offset is one into the bytes as they were, which stay
// valid ahead of the last cut, since moved bytes only ever land behind it.
class InPlaceCutter {
  public:
    explicit InPlaceCutter(std::string& document) noexcept : document_(document) {}

    void cut(std::size_t from, std::size_t to) noexcept {
        move_pending_down(from);
        pending_ = to;
    }

    // Keeps the rest and gives the document its new size.
    void finish() {
        move_pending_down(document_.size());
        document_.resize(write_);
    }

  private:
    void move_pending_down(std::size_t until) noexcept {
        const std::size_t length = until - pending_;
        if (write_ != pending_ && length > 0) {
            std::memmove(document_.data() + write_, document_.data() + pending_, length);
            note_moved(length);
        }
        write_ += length;
    }

    std::string& document_;
    std::size_t write_ = 0;
    std::size_t pending_ = 0;
};

}  // namespace gpais
