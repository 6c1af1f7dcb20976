#include "ui/control_sets.hpp"

#include <gtest/gtest.h>

#include <array>

namespace {

using gpais::ui::ControlVisibility;

struct Case {
    const char* name;
    int clicked;
    std::array<ControlVisibility, 7> expected;
};

const Case cases[] = {
    {"supply-start mode shows the calendars and hides the error log field",
     501,
     {{{301, true},
       {303, true},
       {311, true},
       {313, true},
       {401, false},
       {402, false},
       {403, false}}}},
    {"error-log mode shows the error log field and hides the calendars",
     502,
     {{{301, false},
       {303, false},
       {311, false},
       {313, false},
       {401, true},
       {402, true},
       {403, true}}}},
};

TEST(ControlSets, ModeButtonsSwitchTheVisibleSet) {
    for (const Case& c : cases) {
        EXPECT_EQ(gpais::ui::visibility_after_click(c.clicked), c.expected) << c.name;
    }
}

}  // namespace
