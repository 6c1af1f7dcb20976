// The bundled sample lists, filtered as a person would filter them: the list written with its
// attributes on lines of their own keeps exactly the positions the plain one keeps.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_port.hpp"
#include "filter/filter_run.hpp"
#include "tests/support/temp_folder.hpp"

namespace gpais {
namespace {

using testing::FakePort;
using testing::TempFolder;

std::vector<std::string> codes_in(const std::string& document) {
    std::vector<std::string> codes;
    for (std::size_t at = document.find("<kodas>"); at != std::string::npos;
         at = document.find("<kodas>", at + 1)) {
        const std::size_t start = at + 7;
        codes.push_back(document.substr(start, document.find("</kodas>", start) - start));
    }
    return codes;
}

TEST(BundledSamples, BothWritingsOfTheListKeepTheSamePositions) {
    const std::string examples = std::string(GPAIS_SOURCE_DIR) + "/examples/";
    const std::vector<std::string> november = {"AG-01000", "EEI-01007", "PV-01014",  "BAT-01021",
                                               "AG-01028", "EEI-01035", "EEI-01091", "BAT-01105",
                                               "AG-01112", "EEI-01119", "PV-01126",  "BAT-01133",
                                               "AG-01140", "EEI-01147", "EEI-01203", "BAT-01217"};
    const std::vector<std::string> not_found = {"PV-01014", "AG-01028", "EEI-01091", "BAT-01105"};
    struct Case {
        const char* list;
        bool by_errors;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {"produktu-sarasas.xml", false, november},
        {"produktu-sarasas-atributai.xml", false, november},
        {"produktu-sarasas.xml", true, not_found},
        {"produktu-sarasas-atributai.xml", true, not_found},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        FakePort port;
        port.real_files = true;
        port.save_answer = folder.utf8("išvestis.xml");
        const std::string list = examples + c.list;
        const RunOutcome outcome = c.by_errors
                                       ? ATRINKPOZICIJAS(list, examples + "gpais-klaidos.log", port)
                                       : ATRINKPOZICIJAS(list, Date::from_numbers(2026, 11, 1),
                                                         Date::from_numbers(2026, 11, 30), port);
        ASSERT_EQ(outcome, RunOutcome::written) << c.list;
        ASSERT_EQ(port.writes.size(), 1u) << c.list;
        EXPECT_EQ(codes_in(port.writes[0].second), c.kept) << c.list;
    }
}

}  // namespace
}  // namespace gpais
