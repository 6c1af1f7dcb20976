#include "filter/filter_run.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_port.hpp"
#include "filter/messages.hpp"
#include "tests/support/product_list.hpp"
#include "tests/support/temp_folder.hpp"

namespace gpais {
namespace {

using testing::FakePort;
using testing::ShownMessage;
using testing::TempFolder;

const std::string list_path = "C:\\Duomenys\\sarasas.xml";
const std::string out_path = "C:\\Duomenys\\naujas.xml";

const std::string& head = testing::list_head;
const std::string& tail = testing::list_end;
std::string position(const std::string& code, const std::string& date) {
    return testing::list_position("prekinisVienetas", code, date);
}
const std::string list = testing::product_list(
    "prekinisVienetas",
    {testing::a1_in_november, testing::b2_before_november, testing::c3_in_november});
// A download that broke off inside the third position.
const std::string truncated_list = head + position("A1", "2026-11-05") +
                                   position("B2", "2026-10-31") +
                                   "  <prekinisVienetas>\r\n    <kodas>C3</kod";
const std::string error_log =
    "2026-12-01 Klaida: prekinis vienetas su kodu: B2 (produktoKodas=B2) nerastas\r\n";

const Date nov1 = Date::from_numbers(2026, 11, 1);
const Date nov30 = Date::from_numbers(2026, 11, 30);

ShownMessage shown(const Message& message) {
    return {std::string(message.text), std::string(message.caption), message.icon};
}
const ShownMessage bad_list = shown(messages::bad_product_list);
const ShownMessage no_codes = shown(messages::no_codes);
const ShownMessage none_kept = shown(messages::nothing_kept);
ShownMessage written(int count) {
    return shown(messages::file_written(static_cast<std::size_t>(count)).view());
}
ShownMessage not_written(const std::string& path, const std::string& cause) {
    return shown(messages::file_not_written(path, cause).view());
}

struct RunCase {
    const char* name;
    std::optional<std::string> list_bytes;  // nothing = the file is missing
    std::optional<std::string> log_path;    // nothing = period mode
    std::optional<std::string> log_bytes;
    std::string save_answer;
    FileResult<void> write_result;
    RunOutcome outcome;
    std::vector<ShownMessage> messages;
    std::vector<std::string> calls;
    std::optional<std::string> written_bytes;
    // Files that could not be read at all, and why.
    std::map<std::string, FileError, std::less<>> read_errors = {};
};

const std::vector<std::string> saved_calls = {"read:" + list_path, "folder", "now", "choose",
                                              "write:" + out_path, "message"};

TEST(FilterRun, MessagesOutcomesAndOrderOfSteps) {
    const std::string kept_in_november =
        head + position("A1", "2026-11-05") + position("C3", "2026-11-30") + tail;
    const RunCase cases[] = {
        {"period: kept positions written and counted",
         list,
         {},
         {},
         out_path,
         {},
         RunOutcome::written,
         {written(2)},
         saved_calls,
         kept_in_november},
        {"errors: the named code is kept",
         list,
         "klaidos.log",
         error_log,
         out_path,
         {},
         RunOutcome::written,
         {written(1)},
         {"read:" + list_path, "read:klaidos.log", "folder", "now", "choose", "write:" + out_path,
          "message"},
         head + position("B2", "2026-10-31") + tail},
        {"missing product list",
         {},
         {},
         {},
         out_path,
         {},
         RunOutcome::bad_product_list,
         {bad_list},
         {"read:" + list_path, "message"},
         {}},
        {"blank product list",
         " \r\n\t\r\n",
         {},
         {},
         out_path,
         {},
         RunOutcome::bad_product_list,
         {bad_list},
         {"read:" + list_path, "message"},
         {}},
        {"product list without the list element",
         "<?xml?>\r\n<sarasas></sarasas>\r\n",
         {},
         {},
         out_path,
         {},
         RunOutcome::bad_product_list,
         {bad_list},
         {"read:" + list_path, "message"},
         {}},
        {"period: a list cut off in the middle of a position is refused, nothing written",
         truncated_list,
         {},
         {},
         out_path,
         {},
         RunOutcome::bad_product_list,
         {bad_list},
         {"read:" + list_path, "message"},
         {}},
        {"errors: a list cut off in the middle of a position is refused, nothing written",
         truncated_list,
         "klaidos.log",
         error_log,
         out_path,
         {},
         RunOutcome::bad_product_list,
         {bad_list},
         {"read:" + list_path, "read:klaidos.log", "message"},
         {}},
        {"errors: a cut-off list with an empty log is told about the log first",
         truncated_list,
         "",
         {},
         out_path,
         {},
         RunOutcome::no_codes,
         {no_codes},
         {"read:" + list_path, "read:", "message"},
         {}},
        {"errors: bad product list is told before the log is read",
         "  ",
         "",
         {},
         out_path,
         {},
         RunOutcome::bad_product_list,
         {bad_list},
         {"read:" + list_path, "message"},
         {}},
        {"errors: empty log path after a good list",
         list,
         "",
         {},
         out_path,
         {},
         RunOutcome::no_codes,
         {no_codes},
         {"read:" + list_path, "read:", "message"},
         {}},
        {"errors: log without a not-found line",
         list,
         "klaidos.log",
         "Viskas gerai\r\n",
         out_path,
         {},
         RunOutcome::no_codes,
         {no_codes},
         {"read:" + list_path, "read:klaidos.log", "message"},
         {}},
        {"errors: no position has a named code",
         list,
         "klaidos.log",
         "x vienetas su kodu: Z (produktoKodas=Z9) nerastas",
         out_path,
         {},
         RunOutcome::nothing_kept,
         {shown(messages::with_line(messages::nothing_kept,
                                    "Sąraše nėra klaidų faile nurodytų kodų: 1 (Z9)")
                    .view())},
         {"read:" + list_path, "read:klaidos.log", "message"},
         {}},
        {"cancelled save chooser: nothing written, nothing said",
         list,
         {},
         {},
         "",
         {},
         RunOutcome::cancelled,
         {},
         {"read:" + list_path, "folder", "now", "choose"},
         {}},
        {"blank answer counts as cancel",
         list,
         {},
         {},
         " \t",
         {},
         RunOutcome::cancelled,
         {},
         {"read:" + list_path, "folder", "now", "choose"},
         {}},
        {"failed write is reported with its cause instead of the count",
         list,
         {},
         {},
         out_path,
         FileError{FileCause::disk_full, 112, "There is not enough space on the disk.\r\n"},
         RunOutcome::write_failed,
         {not_written(out_path, "Diske nebeliko vietos.")},
         saved_calls,
         kept_in_november},
        {"a failure without a cause of its own is named by the system",
         list,
         {},
         {},
         out_path,
         FileError{FileCause::other, 1117,
                   "The request could not be performed because of an "
                   "I/O device error.\r\n"},
         RunOutcome::write_failed,
         {not_written(out_path,
                      "Sistemos klaida 1117: The request could not be performed "
                      "because of an I/O device error.")},
         saved_calls,
         kept_in_november},
        {"a list that could not be read is told with its cause",
         {},
         {},
         {},
         out_path,
         {},
         RunOutcome::bad_product_list,
         {shown(messages::with_line(messages::bad_product_list, "Failą naudoja kita programa.")
                    .view())},
         {"read:" + list_path, "message"},
         {},
         {{list_path, FileError{FileCause::in_use, 32, "In use"}}}},
        {"errors: an error log that could not be read is told with its cause",
         list,
         "klaidos.log",
         {},
         out_path,
         {},
         RunOutcome::no_codes,
         {shown(messages::with_line(messages::no_codes, "Nėra teisės skaityti.").view())},
         {"read:" + list_path, "read:klaidos.log", "message"},
         {},
         {{"klaidos.log", FileError{FileCause::access_denied, 5, "Access is denied."}}}},
    };
    for (const RunCase& c : cases) {
        FakePort port;
        port.read_errors = c.read_errors;
        if (c.list_bytes)
            port.files[list_path] = *c.list_bytes;
        if (c.log_path && c.log_bytes)
            port.files[*c.log_path] = *c.log_bytes;
        port.save_answer = c.save_answer;
        port.write_result = c.write_result;
        const RunOutcome outcome = c.log_path ? ATRINKPOZICIJAS(list_path, *c.log_path, port, port)
                                              : ATRINKPOZICIJAS(list_path, nov1, nov30, port, port);
        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(port.messages, c.messages) << c.name;
        EXPECT_EQ(port.calls, c.calls) << c.name;
        if (c.written_bytes) {
            ASSERT_EQ(port.writes.size(), 1u) << c.name;
            EXPECT_EQ(port.writes[0].second, *c.written_bytes) << c.name;
        } else {
            EXPECT_TRUE(port.writes.empty()) << c.name;
        }
    }
}

std::string log_line(const std::string& code) {
    return "Žurnalo įrašo 000123 gaminys arba prekinis vienetas su kodu: "
           "ProduktoKodas(produktoKodas=" +
           code + ") nerastas\r\n";
}
std::string log_of(const std::vector<std::string>& codes) {
    std::string log;
    for (const std::string& code : codes)
        log += log_line(code);
    return log;
}
// Codes MA, MB, ... in that order.
std::vector<std::string> lettered(char prefix, int count) {
    std::vector<std::string> codes;
    for (char letter = 'A'; letter < 'A' + count; ++letter)
        codes.push_back({prefix, letter});
    return codes;
}
std::string item(const std::string& body) {
    return "  <prekinisVienetas>\r\n" + body + "  </prekinisVienetas>\r\n";
}
std::string undated_list(int count) {
    std::string document = head + position("A1", "2026-11-05");
    for (const std::string& code : lettered('U', count))
        document += item("    <kodas>" + code + "</kodas>\r\n");
    return document + tail;
}
ShownMessage with_line(const ShownMessage& message, const std::string& line) {
    return {message.text + "\n" + line, message.caption, message.icon};
}
const std::string lacks = "Sąraše nėra klaidų faile nurodytų kodų: ";
const std::string undated = "Pozicijų be tinkamos tiekimo pradžios datos: ";

// What the person reads after a run besides the count: the codes the list lacks, the positions
// without a date of their own, and the refusal of a list that is cut off.
TEST(FilterRun, SecondLinesAndCutOffLists) {
    struct LineCase {
        const char* name;
        std::string list_bytes;
        std::optional<std::string> log;  // nothing = period mode
        RunOutcome outcome;
        ShownMessage message;
    };
    const std::string utf16_b2 = [] {
        std::string bytes = "\xFF\xFE";
        // Each byte of the line as one unit: the markers and the code are ASCII and come through
        // as they are; the line's Lithuanian letters do not (the code set's table has those).
        for (const char c : log_line("B2"))
            bytes.append({c, '\0'});
        return bytes;
    }();
    const std::string long_code(200, 'Q');
    const LineCase cases[] = {
        {"errors: every code found, no line", list, log_of({"C3", "A1"}), RunOutcome::written,
         written(2)},
        {"errors: the codes the list lacks in the log's order, once each, the empty one left out",
         list, log_of({"Z9", "B2", "", "Y8", "Z9"}), RunOutcome::written,
         with_line(written(1), lacks + "2 (Z9, Y8)")},
        {"errors: the eleventh and later codes are counted, not named", list,
         log_of(lettered('M', 12)) + log_line("A1"), RunOutcome::written,
         with_line(written(1), lacks + "12 (MA, MB, MC, MD, ME, MF, MG, MH, MI, MJ, …)")},
        {"errors: a 200-character code is shown by its first 40", list, log_of({"A1", long_code}),
         RunOutcome::written,
         with_line(written(1), lacks + "1 (" + long_code.substr(0, 40) + "…)")},
        {"errors: none of the codes found", list, log_of({"X1", "X2"}), RunOutcome::nothing_kept,
         with_line(none_kept, lacks + "2 (X1, X2)")},
        {"errors: only the empty code is lacking, no line", list, log_of({"", "B2"}),
         RunOutcome::written, written(1)},
        {"errors: a log saved as UTF-16", list, utf16_b2, RunOutcome::written, written(1)},
        {"period: every position has its date, no line", list, {}, RunOutcome::written, written(2)},
        {"period: missing, empty, invalid and packaging-only dates in document order",
         head + item("    <kodas>D1</kodas>\r\n") + position("A1", "2026-11-05") +
             position("E1", "") + position("I1", "2026-13-05") +
             item("    <kodas>P1</kodas>\r\n    <gaminioPakuotes><pradetaTiektiNuo>2026-11-02"
                  "</pradetaTiektiNuo></gaminioPakuotes>\r\n") +
             position("B2", "2026-10-31") + item("    <pavadinimas>x</pavadinimas>\r\n") + tail,
         {},
         RunOutcome::written,
         with_line(written(1), undated + "5 (D1, E1, I1, P1, be kodo)")},
        {"period: more than ten",
         undated_list(11),
         {},
         RunOutcome::written,
         with_line(written(1), undated + "11 (UA, UB, UC, UD, UE, UF, UG, UH, UI, UJ, …)")},
        {"period: none kept, and some without a date",
         head + position("E1", "") + tail,
         {},
         RunOutcome::nothing_kept,
         with_line(none_kept, undated + "1 (E1)")},
    };
    for (const LineCase& c : cases) {
        FakePort port;
        port.files[list_path] = c.list_bytes;
        port.save_answer = out_path;
        if (c.log)
            port.files["klaidos.log"] = *c.log;
        const RunOutcome outcome = c.log ? ATRINKPOZICIJAS(list_path, "klaidos.log", port, port)
                                         : ATRINKPOZICIJAS(list_path, nov1, nov30, port, port);
        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(port.messages, std::vector<ShownMessage>{c.message}) << c.name;
    }

    // GPAIS would reject each of these as broken XML, so nothing is written of them, in either
    // mode; the error log is still checked first.
    const std::string two = head + position("A1", "2026-11-05") + position("B2", "2026-10-31");
    const std::string cut_off[] = {
        two,
        two + position("C3", "2026-11-30"),
        two + "  <!-- senas: " + position("C3", "2026-11-30"),
        two + "  <?gpais versija=\"2\" " + position("C3", "2026-11-30"),
        two + "</produkt",
        "<?xml version=\"1.0\"?>\r\n<!-- <produktai> -->\r\n<gpais>\r\n" + list + "</gpais>\r\n",
    };
    for (const std::string& bytes : cut_off) {
        for (const bool by_errors : {false, true}) {
            FakePort port;
            port.files[list_path] = bytes;
            port.files["klaidos.log"] = error_log;
            port.save_answer = out_path;
            const RunOutcome outcome = by_errors
                                           ? ATRINKPOZICIJAS(list_path, "klaidos.log", port, port)
                                           : ATRINKPOZICIJAS(list_path, nov1, nov30, port, port);
            EXPECT_EQ(outcome, RunOutcome::bad_product_list) << bytes;
            EXPECT_EQ(port.messages, std::vector<ShownMessage>{bad_list}) << bytes;
            EXPECT_TRUE(port.writes.empty()) << bytes;
        }
    }
}

TEST(FilterRun, CountIsWrittenInPlainDigits) {
    struct CountCase {
        int positions;
        std::string text;
    };
    for (const CountCase& c : {CountCase{1, "su 1 pozicijoms."}, CountCase{12, "su 12 pozicijoms."},
                               CountCase{1000, "su 1000 pozicijoms."}}) {
        std::string document = head;
        for (int i = 0; i < c.positions; ++i) {
            document += position(std::string("K").append(std::to_string(i)), "2026-11-15");
        }
        document += tail;
        FakePort port;
        port.files[list_path] = document;
        port.save_answer = out_path;
        ASSERT_EQ(ATRINKPOZICIJAS(list_path, nov1, nov30, port, port), RunOutcome::written);
        EXPECT_EQ(port.messages, std::vector<ShownMessage>{written(c.positions)}) << c.text;
        EXPECT_NE(port.messages.at(0).text.find(c.text), std::string::npos);
    }
}

TEST(FilterRun, PeriodStartAfterEndKeepsNothing) {
    FakePort port;
    port.files[list_path] = list;
    EXPECT_EQ(ATRINKPOZICIJAS(list_path, nov30, nov1, port, port), RunOutcome::nothing_kept);
    EXPECT_EQ(port.messages, std::vector<ShownMessage>{none_kept});
}

TEST(FilterRun, SaveChooserGetsTheFixedArgumentsAndTheProposedName) {
    struct ChooserCase {
        const char* name;
        std::string list_path;
        std::string proposed;
    };
    const ChooserCase cases[] = {
        {"plain path", "C:\\Duomenys\\sarasas.xml", "C:\\Duomenys\\sarasas_261207 0905.xml"},
        {"five-character extension", "C:\\Duomenys\\sarasas.xmlx",
         "C:\\Duomenys\\sarasas._261207 0905.xml"},
        {"Lithuanian path", "C:\\Gaminių sąrašai\\šiandien.xml",
         "C:\\Gaminių sąrašai\\šiandien_261207 0905.xml"},
    };
    for (const ChooserCase& c : cases) {
        FakePort port;
        port.files[c.list_path] = list;
        ATRINKPOZICIJAS(c.list_path, nov1, nov30, port, port);
        ASSERT_EQ(port.save_requests.size(), 1u) << c.name;
        const SaveRequest& request = port.save_requests[0];
        EXPECT_EQ(request.title, messages::list_chooser.title) << c.name;
        EXPECT_EQ(request.initial_folder, "C:\\Darbas\\") << c.name;
        EXPECT_EQ(request.proposed_name, c.proposed) << c.name;
    }
}

// Through the real file system: what a person finds on disk afterwards.
struct DiskCase {
    const char* name;
    const char* target;    // relative to the folder; "sarasas.xml" is the product list itself
    const char* existing;  // present before the run (read-only when `read_only`), or null
    bool read_only;
    RunOutcome outcome;
    bool target_is_filtered;  // the target holds the filtered document afterwards
    const char* cause;        // the second line of the failure message, when it fails
};

TEST(FilterRun, SavingOnDisk) {
    const std::string filtered =
        head + position("A1", "2026-11-05") + position("C3", "2026-11-30") + tail;
    const std::string old_bytes = "SENAS\r\n";
    const DiskCase cases[] = {
        {"new file", "naujas.xml", nullptr, false, RunOutcome::written, true, ""},
        {"over an existing file, without a question", "naujas.xml", "naujas.xml", false,
         RunOutcome::written, true, ""},
        {"over the product list itself", "sarasas.xml", nullptr, false, RunOutcome::written, true,
         ""},
        {"into a missing folder", "nėra/naujas.xml", nullptr, false, RunOutcome::write_failed,
         false, "Nėra tokio aplanko."},
        {"over a read-only file", "naujas.xml", "naujas.xml", true, RunOutcome::write_failed, false,
         "Failas pažymėtas tik skaitymui."},
    };
    for (const DiskCase& c : cases) {
        TempFolder folder;
        folder.write("sarasas.xml", list);
        if (c.existing != nullptr) {
            folder.write(c.existing, old_bytes);
            if (c.read_only) {
                std::filesystem::permissions(folder.path() / c.existing,
                                             std::filesystem::perms::owner_read);
            }
        }
        const std::vector<std::string> names_before = folder.names();
        FakePort port;
        port.real_files = true;
        port.save_answer = folder.utf8(c.target);
        EXPECT_EQ(ATRINKPOZICIJAS(folder.utf8("sarasas.xml"), nov1, nov30, port, port), c.outcome)
            << c.name;
        const std::string after = read_whole_file(folder.utf8(c.target));
        if (c.target_is_filtered) {
            EXPECT_EQ(after, filtered) << c.name;
            EXPECT_EQ(port.messages, std::vector<ShownMessage>{written(2)}) << c.name;
        } else {
            EXPECT_EQ(port.messages,
                      std::vector<ShownMessage>{not_written(port.save_answer, c.cause)})
                << c.name;
            EXPECT_EQ(folder.names(), names_before) << c.name << ": nothing created";
            if (c.existing != nullptr) {
                EXPECT_EQ(after, old_bytes) << c.name;
            }
            EXPECT_EQ(read_whole_file(folder.utf8("sarasas.xml")), list) << c.name;
        }
    }
}

}  // namespace
}  // namespace gpais
