#include <cstdlib>
#include <exception>

#include "errors/error_handler.hpp"
#include "errors/raise.hpp"

#ifdef _WIN32
#include "errors/win32_fault_filter.hpp"
#endif

namespace gpais {

namespace {

// An exception that found no catch (or a noexcept it could not pass) still reaches the
// handler; without a handler frame nothing has been unwound, so the live levels are the
// ones of the throw.
[[noreturn]] void on_terminate() noexcept {
    static thread_local bool inside = false;
    if (!inside) {
        inside = true;
        try {
            handle_escaped_exception();
        } catch (...) {
        }
    }
    std::_Exit(1);
}

}  // namespace

void install_last_resort_handlers() {
#ifdef _WIN32
    install_fault_filter();
#endif
    std::set_terminate(&on_terminate);
}

}  // namespace gpais
