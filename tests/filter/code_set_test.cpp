#include "filter/code_set.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/codes_in_log_order.hpp"

namespace gpais {
namespace {

using testing::in_log_order;

const std::string report = "2023-01-05 klaida: vienetas su kodu: X (produktoKodas=";

TEST(BuildCodeSet, ReadsTheCodesOfNotFoundReports) {
    struct Case {
        const char* name;
        std::string log;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"one report with LF", report + "ABC123) nerastas\n", {"ABC123"}},
        {"same report with CR LF", report + "ABC123) nerastas\r\n", {"ABC123"}},
        {"last line without line break", "x\n" + report + "ABC123) nerastas", {"ABC123"}},
        {"several reports, LF and CR LF mixed",
         report + "A1) nerastas\r\n" + report + "B2) nerastas\n\n" + report + "C3) nerastas",
         {"A1", "B2", "C3"}},
        {"same code twice is one member",
         report + "A1) nerastas\n" + report + "A1) nerastas\n",
         {"A1"}},
        {"trailing blank after the report does not qualify", report + "A1) nerastas \n", {}},
        {"CR not followed by LF belongs to the line", report + "A1) nerastas\r", {}},
        {"CR inside the code stays in it", report + "A\r1) nerastas\n", {"A\r1"}},
        {"CR CR LF keeps one CR in the line", report + "A1) nerastas\r\r\n", {}},
        {"without the report text the line is ignored",
         "vienetas su kodu:(produktoKodas=A1) nerastas\n",
         {}},
        {"the report text may stand anywhere",
         "(produktoKodas=A1) nerastas vienetas su kodu: x (produktoKodas=B2) nerastas",
         {"B2"}},
        {"second code marker wins",
         "vienetas su kodu: (produktoKodas=A1 (produktoKodas=B2) nerastas",
         {"B2"}},
        {"empty code", report + ") nerastas\n", {""}},
        {"blanks around the code are kept", report + " A1 ) nerastas", {" A1 "}},
        {"without code marker the code starts at the 15th byte",
         "12345678901234vienetas su kodu: Q) nerastas",
         {"vienetas su kodu: Q"}},
        {"shortest qualifying line", "vienetas su kodu: ) nerastas", {"du: "}},
        {"empty log", "", {}},
        {"only line breaks", "\r\n\n\r\n", {}},
        {"case of the end text matters", report + "A1) Nerastas\n", {}},
        {"codes in the order the log first names them",
         report + "Z9) nerastas\n" + report + "A1) nerastas\n" + report + "Z9) nerastas\n" +
             report + "M5) nerastas\n",
         {"Z9", "A1", "M5"}},
        {"GPAIS's journal answer",
         "Žurnalo įrašo 000123 gaminys arba prekinis vienetas su kodu: "
         "ProduktoKodas(produktoKodas=PV-01014) nerastas\r\n",
         {"PV-01014"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(in_log_order(build_code_set(c.log)), c.expected) << c.name;
}

TEST(Tinkakod, KeepsPositionsWhoseCodeIsInTheSet) {
    const CodeSet codes{"ABC123", "lower", " "};
    struct Case {
        const char* name;
        std::string position;
        bool expected;
    };
    const Case cases[] = {
        {"code in the set", "<item><kodas>ABC123</kodas></item>", true},
        {"code not in the set", "<item><kodas>ABC124</kodas></item>", false},
        {"other case does not match", "<item><kodas>abc123</kodas></item>", false},
        {"surrounding blanks do not match", "<item><kodas> ABC123 </kodas></item>", false},
        {"first kodas element decides", "<item><kodas>X</kodas><p><kodas>ABC123</kodas></p></item>",
         false},
        {"nested kodas before the own one decides",
         "<item><p><kodas>ABC123</kodas></p><kodas>X</kodas></item>", true},
        {"tag with attribute is not the tag", "<item><kodas a=\"1\">ABC123</kodas></item>", false},
        {"without kodas the 7th byte starts the code", "<item>ABC123</kodas></item>", true},
        {"without kodas, other text there", "<item>xABC123</kodas></item>", false},
        {"unclosed kodas matches only the empty code", "<item><kodas>ABC123</item>", false},
        {"position shorter than seven bytes", "<a></a", false},
        {"blank code", "<item><kodas> </kodas></item>", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TINKAKOD(c.position, codes), c.expected) << c.name;
}

TEST(Tinkakod, EmptyCodeMatchesPositionsWithoutReadableCode) {
    const CodeSet codes{""};
    EXPECT_TRUE(TINKAKOD("<item><kodas>ABC123</item>", codes));
    EXPECT_TRUE(TINKAKOD("<item><kodas></kodas></item>", codes));
    EXPECT_TRUE(TINKAKOD("", codes));
    EXPECT_FALSE(TINKAKOD("<item><kodas>A</kodas></item>", codes));
}

}  // namespace
}  // namespace gpais
