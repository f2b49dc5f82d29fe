#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace lexo {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

TEST(IniParse, ReadsSectionsKeysAndValuesWithoutRegardToCase) {
    const IniFile ini = IniFile::parse(
        "Stray=before any section\r\n"
        "[RecentFiles]\r\n"
        "File0=C:\\Slovniky\\zvirata.slv\r\n"
        "  file1 =  /home/eva/barvy.slv  \r\n"
        "; File2=commented out\r\n"
        "not an entry\r\n"
        "FILE0=repeated key\r\n"
        "[ Other ]\r\n"
        "k=v\r\n"
        "[recentfiles]\r\n"
        "File3=repeated section\r\n");
    EXPECT_EQ(ini.entries("recentfiles"),
              (Entries{{"File0", "C:\\Slovniky\\zvirata.slv"}, {"file1", "/home/eva/barvy.slv"}}));
    EXPECT_EQ(ini.value("RECENTFILES", "file0"), "C:\\Slovniky\\zvirata.slv");
    EXPECT_EQ(ini.value("other", "K"), "v");
    EXPECT_EQ(ini.value("", "Stray"), std::nullopt);
    EXPECT_EQ(ini.value("RecentFiles", "File3"), std::nullopt);
}

TEST(IniParse, AcceptsLfCrLfAndCrLineEnds) {
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        const IniFile ini = IniFile::parse("[S]" + end + "a=1" + end + "b=2");
        EXPECT_EQ(ini.entries("S"), (Entries{{"a", "1"}, {"b", "2"}})) << "line end " << int(end.back());
    }
}

TEST(IniParse, DropsOnePairOfMatchingQuotesOnly) {
    const IniFile ini = IniFile::parse("[S]\na=\" padded \"\nb='x'\nc=\"open\nd=\"\"twice\"\"\ne=a=b\nf=\"\n");
    EXPECT_EQ(ini.value("S", "a"), " padded ");
    EXPECT_EQ(ini.value("S", "b"), "x");
    EXPECT_EQ(ini.value("S", "c"), "\"open");
    EXPECT_EQ(ini.value("S", "d"), "\"twice\"");
    EXPECT_EQ(ini.value("S", "e"), "a=b");
    EXPECT_EQ(ini.value("S", "f"), "\"");
}

TEST(IniParse, DecodesWindows1250AndUtf8) {
    const std::string expected = "Slovníky/čeština.slv";
    for (const std::string& bytes : {std::string("[S]\r\nf=Slovn\xED" "ky/\xE8" "e\x9Atina.slv\r\n"),
                                     "[S]\r\nf=" + expected + "\r\n", "\xEF\xBB\xBF[S]\r\nf=" + expected + "\r\n"}) {
        EXPECT_EQ(IniFile::parse(bytes).value("s", "F"), expected);
    }
    // A byte order mark followed by bytes that are not UTF-8 still gives UTF-8 text.
    EXPECT_EQ(IniFile::parse("\xEF\xBB\xBF[S]\nf=\xE8\n").value("S", "f"), "č");
}

TEST(IniSerialize, WritesUtf8WithCrLfKeepingCommentsAndOtherSections) {
    IniFile ini = IniFile::parse("; kept\n[Other]\nx=1\n\n[RecentFiles]\nFile0=old\n[Last]\ny=\xE8\n[recentFILES]\nz=2\n");
    ini.eraseSection("recentfiles");
    ini.setValue("RecentFiles", "File0", "/a/nové.slv");
    EXPECT_EQ(ini.serialize(),
              "; kept\r\n[Other]\r\nx=1\r\n\r\n[Last]\r\ny=č\r\n[RecentFiles]\r\nFile0=/a/nové.slv\r\n");
}

TEST(IniSerialize, ValuesTheReaderWouldChangeAreQuotedSoTheyReadBackTheSame) {
    const std::vector<std::string> values = {" lead", "trail\t", "\"quoted\"", "'single'", "\"", "'a\"",
                                             "", "a;b", "[x]", "=", "\xEF\xBB\xBF" "bom"};
    IniFile ini;
    for (std::size_t i = 0; i < values.size(); ++i) ini.setValue("S", "k" + std::to_string(i), values[i]);
    const IniFile back = IniFile::parse(ini.serialize());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.value("S", "k" + std::to_string(i)), values[i]) << i;
}

TEST(IniSerialize, TextBeginningWithU_FEFFIsNotTakenForAByteOrderMark) {
    // After the real BOM comes U+FEFF, so the first line is not a section header.
    const IniFile ini = IniFile::parse("\xEF\xBB\xBF\xEF\xBB\xBF[RecentFiles]\nFile0=x\n");
    EXPECT_FALSE(ini.hasSection("RecentFiles"));
    EXPECT_FALSE(IniFile::parse(ini.serialize()).hasSection("RecentFiles"));
}

TEST(IniSetValue, ReplacesInPlaceOrAppendsAfterTheLastEntry) {
    IniFile ini = IniFile::parse("[S]\nFile0=a\nFile1=b\n; trailing comment\n\n[T]\nq=1\n");
    ini.setValue("s", "FILE1", "B");
    ini.setValue("S", "File2", "c");
    ini.setValue("New", "k", "v");
    EXPECT_EQ(ini.serialize(),
              "[S]\r\nFile0=a\r\nFile1=B\r\nFile2=c\r\n; trailing comment\r\n\r\n[T]\r\nq=1\r\n[New]\r\nk=v\r\n");
}

TEST(IniFileOnDisk, ReadsWhatWasWrittenAndTellsMissingFromUnreadable) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexo-ini-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const auto path = folder / "historyev.ini";
    EXPECT_EQ(readIniFile(path).status, IniReadStatus::Missing);
    EXPECT_EQ(readIniFile(folder).status, IniReadStatus::Unreadable);

    IniFile ini;
    ini.setValue("RecentFiles", "File0", "/home/eva/zvířata.slv");
    ASSERT_TRUE(writeIniFile(path, ini).ok);
    const IniRead read = readIniFile(path);
    EXPECT_EQ(read.status, IniReadStatus::Ok);
    EXPECT_EQ(read.bytes, "[RecentFiles]\r\nFile0=/home/eva/zvířata.slv\r\n");
    EXPECT_EQ(read.file.value("RecentFiles", "File0"), "/home/eva/zvířata.slv");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace lexo
