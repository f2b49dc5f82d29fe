#include <gtest/gtest.h>

#include "help/author_message.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using testing::TempDir;

TEST(AuthorNote, LinesEndWithCrLfInWindows1250) {
    EXPECT_EQ(noteFileBytes(""), "");
    EXPECT_EQ(noteFileBytes("Chyba v testu"), "Chyba v testu\r\n");
    EXPECT_EQ(noteFileBytes("P\xC5\x99\x65" "dn\xC3\xAD\nzadn\xC3\xAD\n"), "P\xF8" "edn\xED\r\nzadn\xED\r\n");
    EXPECT_EQ(noteFileBytes("a\r\n\r\nb"), "a\r\n\r\nb\r\n");
    // A character Windows-1250 lacks keeps the whole note in UTF-8 rather than losing it.
    const std::string euro = noteFileBytes("cena 5 \xE2\x82\xAC a \xE2\x98\x83");
    EXPECT_NE(euro.find("\xE2\x98\x83"), std::string::npos);
}

TEST(AuthorNote, EverySendingOverwritesTheNoteEvenWhenEmpty) {
    TempDir dir;
    const std::filesystem::path path = noteFilePath(dir.path());
    EXPECT_EQ(path, dir / "WorkDir" / "Zprava.txt");
    ASSERT_TRUE(saveNote(path, "první dlouhá zpráva\ns více řádky").ok);
    ASSERT_TRUE(saveNote(path, "").ok);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(AuthorMail, ArgumentsAreAListWithTheSubjectAddressAndAttachment) {
    const auto arguments = mailArguments("/tmp/a b;$(rm -rf ~)/Zprava.txt", "autor@lexo.example", kMailSubject);
    EXPECT_EQ(arguments, (std::vector<std::string>{"--utf8", "--subject", "Zprava od uživatele", "--attach",
                                                   "/tmp/a b;$(rm -rf ~)/Zprava.txt", "autor@lexo.example"}));
    EXPECT_EQ(mailArguments("f", "a", "").at(2), "Export souboru");
}

}  // namespace
}  // namespace lexo
