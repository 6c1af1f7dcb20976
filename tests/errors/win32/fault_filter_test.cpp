#include "errors/win32_fault_filter.hpp"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

LONG WINAPI shell_extension_filter(EXCEPTION_POINTERS*) {
    return EXCEPTION_CONTINUE_SEARCH;
}

// Windows leaves an overflowing thread about one page; the report needs the reserve.
TEST(FaultFilter, KeepsStackInReserveOnTheInstallingThread) {
    gpais::install_fault_filter();
    ULONG guarantee = 0;  // 0 asks for the guarantee in force and changes nothing
    ASSERT_NE(::SetThreadStackGuarantee(&guarantee), FALSE);
    EXPECT_GE(guarantee, 64u * 1024u);
}

// A file chooser's shell extension that sets a filter of its own must not keep it.
TEST(FaultFilter, TakesTheProcessBackFromAnotherFilter) {
    gpais::install_fault_filter();
    const LPTOP_LEVEL_EXCEPTION_FILTER ours =
        ::SetUnhandledExceptionFilter(&shell_extension_filter);
    ASSERT_NE(ours, nullptr);
    gpais::reinstall_fault_filter();
    EXPECT_EQ(::SetUnhandledExceptionFilter(ours), ours);
}

}  // namespace
