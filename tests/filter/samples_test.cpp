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
    // The log also names a product that was never in the list: the person is told so.
    const std::string lacking = "\nSąraše nėra klaidų faile nurodytų kodų: 1 (PV-09999)";
    struct Case {
        const char* list;
        bool by_errors;
        std::vector<std::string> kept;
        std::string message;
    };
    const Case cases[] = {
        {"produktu-sarasas.xml", false, november, "Sveikinu, failas suformuotas su 16 pozicijoms."},
        {"produktu-sarasas-atributai.xml", false, november,
         "Sveikinu, failas suformuotas su 16 pozicijoms."},
        {"produktu-sarasas.xml", true, not_found,
         "Sveikinu, failas suformuotas su 4 pozicijoms." + lacking},
        {"produktu-sarasas-atributai.xml", true, not_found,
         "Sveikinu, failas suformuotas su 4 pozicijoms." + lacking},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        FakePort port;
        port.real_files = true;
        port.save_answer = folder.utf8("išvestis.xml");
        const std::string list = examples + c.list;
        const RunOutcome outcome =
            c.by_errors ? ATRINKPOZICIJAS(list, examples + "gpais-klaidos.log", port, port)
                        : ATRINKPOZICIJAS(list, Date::from_numbers(2026, 11, 1),
                                          Date::from_numbers(2026, 11, 30), port, port);
        ASSERT_EQ(outcome, RunOutcome::written) << c.list;
        ASSERT_EQ(port.writes.size(), 1u) << c.list;
        EXPECT_EQ(codes_in(port.writes[0].second), c.kept) << c.list;
        ASSERT_EQ(port.messages.size(), 1u) << c.list;
        EXPECT_EQ(port.messages[0].text, c.message) << c.list;
    }
}

}  // namespace
}  // namespace gpais
