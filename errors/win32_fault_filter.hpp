#pragma once
// Faults of the processor (access violation, stack overflow, integer division in native code)
// reach the error handler through the process's unhandled-exception filter.

namespace gpais {

// On the calling thread, which is the one the program's work runs on, also keeps stack in
// reserve for an overflow's report.
void install_fault_filter();

// The filter is the process's last writer's: a shell extension that a file chooser loads may
// set its own. Called again after each chooser returns.
void reinstall_fault_filter() noexcept;

}  // namespace gpais
