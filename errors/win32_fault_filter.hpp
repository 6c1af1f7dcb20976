#pragma once
// Faults of the processor (access violation, stack overflow, integer division in native code)
// reach the error handler through the process's unhandled-exception filter.

namespace gpais {

void install_fault_filter();

}  // namespace gpais
