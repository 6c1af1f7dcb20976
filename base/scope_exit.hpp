#pragma once
// Runs a clean-up when its scope ends, however it ends, unless released first: a one-use guard
// without a class of its own.
//
//     run_in_progress = true;
//     const ScopeExit lower{[] { run_in_progress = false; }};

#include <type_traits>
#include <utility>

namespace gpais {

// The clean-up runs from a destructor, which is noexcept: one that throws ends the process
// rather than unwinding a second time.
template <typename Action>
class [[nodiscard]] ScopeExit {
  public:
    explicit ScopeExit(Action action) noexcept(std::is_nothrow_move_constructible_v<Action>)
        : action_(std::move(action)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (armed_)
            action_();
    }

    // For the way out on which the clean-up is no longer wanted: the work it undoes succeeded.
    void release() noexcept { armed_ = false; }

  private:
    Action action_;
    bool armed_ = true;
};

}  // namespace gpais
