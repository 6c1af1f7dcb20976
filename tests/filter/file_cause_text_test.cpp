#include "filter/file_cause_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace gpais {
namespace {

struct CauseCase {
    const char* name;
    FileCause cause;
    unsigned long code;
    const char* system_text;
    const char* text;
};

TEST(WriteCauseText, EachCauseInThePersonsWords) {
    const CauseCase cases[] = {
        {"a name too long", FileCause::name_too_long, 36, "File name too long",
         "Kelias per ilgas."},
        {"a full disk", FileCause::disk_full, 28, "No space left on device",
         "Diske nebeliko vietos."},
        {"a missing folder", FileCause::folder_missing, 3, "The system cannot find the path",
         "Nėra tokio aplanko."},
        {"a folder where the file should be", FileCause::path_is_folder, 0, "",
         "Nurodytas kelias yra aplankas."},
        {"a read-only file", FileCause::read_only, 0, "", "Failas pažymėtas tik skaitymui."},
        {"a file another program holds", FileCause::in_use, 32, "The process cannot access",
         "Failą naudoja kita programa."},
        {"no right to write", FileCause::access_denied, 13, "Permission denied",
         "Nėra teisės rašyti."},
        {"Windows' own text keeps its period and loses its CR LF", FileCause::other, 1117,
         "The request could not be performed because of an I/O device error.\r\n",
         "Sistemos klaida 1117: The request could not be performed because of an I/O device "
         "error."},
        {"a text without a period gets one", FileCause::other, 5, "Input/output error",
         "Sistemos klaida 5: Input/output error."},
        {"blanks and line breaks around the text go", FileCause::other, 36,
         " \tFile name too long. \r\n\r\n", "Sistemos klaida 36: File name too long."},
        {"a break inside the text keeps the message to two lines", FileCause::other, 1392,
         "The file or directory is corrupted\r\nand unreadable.\r\n",
         "Sistemos klaida 1392: The file or directory is corrupted and unreadable."},
        {"UTF-8 of a translated system text passes unchanged", FileCause::other, 1784,
         "Nurodytas vartotojo buferis netinka užklausai.\r\n",
         "Sistemos klaida 1784: Nurodytas vartotojo buferis netinka užklausai."},
        {"a code the system has no words for is still named", FileCause::other, 4294967295u, "",
         "Sistemos klaida 4294967295."},
        {"a text of blanks and periods counts as none", FileCause::other, 7, " .\r\n",
         "Sistemos klaida 7."},
    };
    for (const CauseCase& c : cases) {
        const FileError error{c.cause, c.code, c.system_text};
        EXPECT_EQ(write_cause_text(error), c.text) << c.name;
    }
}

// A read is told in the same words; only a refused right is the right to read.
TEST(ReadCauseText, EachCauseInThePersonsWords) {
    const CauseCase cases[] = {
        {"a missing file", FileCause::file_missing, 2, "", "Nėra tokio failo."},
        {"a missing folder", FileCause::folder_missing, 3, "", "Nėra tokio aplanko."},
        {"a folder named as the file", FileCause::path_is_folder, 5, "",
         "Nurodytas kelias yra aplankas."},
        {"a file another program holds", FileCause::in_use, 32, "", "Failą naudoja kita programa."},
        {"no right to read", FileCause::access_denied, 5, "", "Nėra teisės skaityti."},
        {"a name too long", FileCause::name_too_long, 206, "", "Kelias per ilgas."},
        {"an offline cloud file is named by the system", FileCause::other, 362,
         "The cloud file provider is not running.\r\n",
         "Sistemos klaida 362: The cloud file provider is not running."},
    };
    for (const CauseCase& c : cases) {
        const FileError error{c.cause, c.code, c.system_text};
        EXPECT_EQ(read_cause_text(error), c.text) << c.name;
    }
}

}  // namespace
}  // namespace gpais
