// The dialog laid out at the screen resolutions users have: one scenario per DPI, run by
// tests/e2e/at_dpi.sh in a Wine prefix whose LogPixels it sets.
#pragma once

#include <vector>

#include "scenarios.hpp"

namespace gpais::e2e {

void add_dpi_layout_scenarios(std::vector<Scenario>& list);

}  // namespace gpais::e2e
