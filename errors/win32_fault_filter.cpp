#include "errors/win32_fault_filter.hpp"

#include <windows.h>

#include <cstdint>
#include <string>

#include "errors/error_platform.hpp"
#include "errors/raise.hpp"
#include "rt/call_levels.hpp"

namespace gpais {

namespace {

std::string describe_fault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
            return "Neleistina kreiptis į atmintį";
        case EXCEPTION_STACK_OVERFLOW:
            return "Perpildytas stekas";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return "Sveikųjų skaičių dalyba iš nulio";
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
            return "Dalyba iš nulio";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return "Neleistina instrukcija";
        default:
            return "Procesoriaus išimtis";
    }
}

// Not code 5: a native division cannot be given a replacement result and go on, and the quiet
// answer would lose the report. The generic code stays 0 and the OS code names the fault.
ErrorRecord fault_record(const EXCEPTION_RECORD& fault) {
    ErrorRecord record;
    record.SUBSYSTEM = "WINDOWS";
    record.DESCRIPTION = describe_fault(fault.ExceptionCode);
    record.OSCODE = static_cast<std::int64_t>(fault.ExceptionCode);
    record.OPERATION = "SEH";
    return record;
}

// Windows leaves a thread that overflows its stack about one page of it; the guarantee keeps
// this much more for the filter, which then has room to wake the reporter and wait for it.
constexpr ULONG stack_kept_for_the_filter = 64 * 1024;
// The reporter writes the report (a whole document among the stack's values may take a while)
// and waits for the person's OK; a reporter stuck beyond this, on a lock the failed thread held,
// must not keep a broken process alive for ever.
constexpr DWORD reporter_wait_milliseconds = 10 * 60 * 1000;

// The overflowed stack has no room for a report, so another thread makes it on the faulting
// thread's levels, which stay untouched while that thread waits in the filter. That thread is
// made when the filter is installed and waits: creating one in the middle of an overflow can
// fail, and the report would be lost.
// Held for the life of the process on purpose: the thread waits on the event until the process
// ends, static destructors included, so neither handle may be closed before.
struct OverflowReporter {
    HANDLE wake = nullptr;
    HANDLE thread = nullptr;
    EXCEPTION_RECORD fault{};
    rt::Frame* levels = nullptr;
};
OverflowReporter overflow;

[[noreturn]] void end_process_now() noexcept {
    // Not ExitProcess: that would run the DLLs' detach code in a damaged process.
    ::TerminateProcess(::GetCurrentProcess(), 1);
    ::ExitProcess(1);  // not reached: ending its own process, TerminateProcess does not return
}

// Windows calls this and the filter below: nothing may unwind into its frames. A report that
// throws (no memory left even for the shortened one) is lost, and the process ends as after any
// report.
DWORD WINAPI report_overflow(void*) noexcept {
    // Parked until a thread overflows; it is never woken otherwise, and the process's end takes
    // it away. The handler's own waits below are the bounded ones.
    ::WaitForSingleObject(overflow.wake, INFINITE);
    rt::adopt_frames(overflow.levels);
    try {
        (void)raise_error(fault_record(overflow.fault), "STACK");
    } catch (...) {
        end_process_now();
    }
    return 0;
}

void start_overflow_reporter() {
    overflow.wake = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (overflow.wake == nullptr)
        return;
    overflow.thread = ::CreateThread(nullptr, 1 << 20, &report_overflow, nullptr, 0, nullptr);
    if (overflow.thread == nullptr) {
        // No thread waits on the event: it is let go, and a later install makes both again.
        ::CloseHandle(overflow.wake);
        overflow.wake = nullptr;
    }
}

LONG WINAPI on_unhandled_fault(EXCEPTION_POINTERS* info) noexcept {
    static LONG entered = 0;
    if (::InterlockedIncrement(&entered) > 1)
        end_process_now();
    const EXCEPTION_RECORD& fault = *info->ExceptionRecord;
    if (fault.ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
        // Only plain stores and two calls here: the stack kept in reserve is for these, the
        // report is made on the reporter's own stack.
        if (overflow.thread != nullptr) {
            overflow.fault = fault;
            overflow.levels = rt::innermost_frame();
            ::SetEvent(overflow.wake);
            ::WaitForSingleObject(overflow.thread, reporter_wait_milliseconds);
        }
    } else {
        try {
            (void)raise_error(fault_record(fault), "SEH");
        } catch (...) {
        }
    }
    end_process_now();
}

}  // namespace

void install_fault_filter() {
    ULONG guarantee = stack_kept_for_the_filter;
    (void)::SetThreadStackGuarantee(&guarantee);
    if (overflow.thread == nullptr)
        start_overflow_reporter();
    reinstall_fault_filter();
}

void reinstall_fault_filter() noexcept {
    ::SetUnhandledExceptionFilter(&on_unhandled_fault);
}

}  // namespace gpais
