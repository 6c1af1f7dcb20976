#include "errors/win32_fault_filter.hpp"

#include <windows.h>

#include <cstdint>
#include <string>

#include "errors/call_levels.hpp"
#include "errors/error_platform.hpp"
#include "errors/raise.hpp"

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

struct OverflowReport {
    ErrorRecord record;
    rt::Frame* levels = nullptr;
};

// The overflowed stack has no room for a report; a fresh thread makes it on the faulting
// thread's levels, which stay untouched while that thread waits in the filter.
DWORD WINAPI report_overflow(void* parameter) {
    auto* report = static_cast<OverflowReport*>(parameter);
    rt::adopt_frames(report->levels);
    (void)raise_error(report->record, "STACK");
    return 0;
}

LONG WINAPI on_unhandled_fault(EXCEPTION_POINTERS* info) {
    static LONG entered = 0;
    if (::InterlockedIncrement(&entered) > 1)
        ::ExitProcess(1);
    const EXCEPTION_RECORD& fault = *info->ExceptionRecord;
    if (fault.ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
        static OverflowReport report;
        report.record = fault_record(fault);
        report.levels = rt::innermost_frame();
        HANDLE worker = ::CreateThread(nullptr, 1 << 20, &report_overflow, &report, 0, nullptr);
        if (worker != nullptr) {
            ::WaitForSingleObject(worker, INFINITE);
            ::CloseHandle(worker);
        }
    } else {
        (void)raise_error(fault_record(fault), "SEH");
    }
    ::ExitProcess(1);
}

}  // namespace

void install_fault_filter() {
    ::SetUnhandledExceptionFilter(&on_unhandled_fault);
}

}  // namespace gpais
