#include "dictionary/recent_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace lexo {
namespace {

using Paths = std::vector<std::string>;

RecentFiles::ExistsFn existingOnly(std::set<std::string> existing) {
    return [existing = std::move(existing)](const std::string& path) { return existing.count(path) > 0; };
}

bool always(const std::string&) { return true; }

Paths fileKeys(const std::filesystem::path& listFile) {
    const IniFile ini = readIniFile(listFile).file;
    Paths values;
    for (const auto& [key, value] : ini.entries("RecentFiles")) values.push_back(key + "=" + value);
    return values;
}

TEST(RecentFilesLoad, CountsTheKeysThenReadsFileZeroOnward) {
    RecentFiles list(5, always);
    // Five keys: File0 … File4 are read; File2 is absent and "Other" only counts.
    list.loadFromIni(IniFile::parse("[RecentFiles]\nFile0=/a\nfile1=/b\nFILE3=/d\nOther=/x\nFile4=/e\n"));
    EXPECT_EQ(list.entries(), (Paths{"/a", "/b", "/d", "/e"}));

    // Two keys, so File2 is never looked at.
    list.loadFromIni(IniFile::parse("[RecentFiles]\nFile1=/b\nFile2=/c\n"));
    EXPECT_EQ(list.entries(), (Paths{"/b"}));
}

TEST(RecentFilesLoad, DropsVanishedEmptyAndRepeatedPathsBeforeCuttingToMaxList) {
    RecentFiles list(3, existingOnly({"/a", "/c", "/C", "/d", "/e"}));
    list.loadFromIni(IniFile::parse("[RecentFiles]\nFile0=/a\nFile1=/gone\nFile2=\nFile3=/c\n"
                                    "File4=/C\nFile5=/d\nFile6=/e\n"));
    EXPECT_EQ(list.entries(), (Paths{"/a", "/c", "/d"}));
}

TEST(RecentFilesMaxList, StaysBetweenZeroAndThirtyFiveAndCutsTheList) {
    EXPECT_EQ(RecentFiles(100).maxList(), 35);
    EXPECT_EQ(RecentFiles(-3).maxList(), 0);

    RecentFiles list(5, always);
    for (const char* path : {"/f", "/e", "/d", "/c", "/b", "/a"}) list.addToTop(path);
    EXPECT_EQ(list.entries(), (Paths{"/a", "/b", "/c", "/d", "/e"}));
    list.setMaxList(2);
    EXPECT_EQ(list.entries(), (Paths{"/a", "/b"}));
}

TEST(RecentFilesEdit, APathDifferingOnlyInCaseMovesToTheTopWithTheNewSpelling) {
    RecentFiles list(5, always);
    for (const char* path : {"/d/Zvířata.slv", "/d/barvy.slv", "/d/čísla.slv"}) list.addToTop(path);
    list.addToTop("/D/ZVÍŘATA.SLV");
    EXPECT_EQ(list.entries(), (Paths{"/D/ZVÍŘATA.SLV", "/d/čísla.slv", "/d/barvy.slv"}));

    EXPECT_TRUE(list.moveToTop(2));
    EXPECT_EQ(list.entries(), (Paths{"/d/barvy.slv", "/D/ZVÍŘATA.SLV", "/d/čísla.slv"}));
    EXPECT_TRUE(list.remove(1));
    EXPECT_FALSE(list.remove(2));
    EXPECT_FALSE(list.moveToTop(2));
    EXPECT_EQ(list.entries(), (Paths{"/d/barvy.slv", "/d/čísla.slv"}));
}

TEST(RecentFilesCaption, NumbersOneToNineThenAToZ) {
    EXPECT_EQ(recentMenuCaption("/home/eva/a.slv", 0, true), "&1 /home/eva/a.slv");
    EXPECT_EQ(recentMenuCaption("/p", 8, true), "&9 /p");
    EXPECT_EQ(recentMenuCaption("/p", 9, true), "&A /p");
    EXPECT_EQ(recentMenuCaption("/p", 34, true), "&Z /p");
    EXPECT_EQ(recentMenuCaption("/p", 35, true), "/p");
    EXPECT_EQ(recentMenuCaption("/home/eva/a.slv", 0, false), "/home/eva/a.slv");
    EXPECT_EQ(recentMenuCaption("/Tom & Jerry.slv", 1, true), "&2 /Tom && Jerry.slv");
}

TEST(RecentFilesWrite, ReplacesTheSectionAndLeavesOutLineBreaks) {
    RecentFiles list(5, always);
    for (const char* path : {"/c", "/bad\nname", "/a"}) list.addToTop(path);
    IniFile ini = IniFile::parse("[RecentFiles]\nFile0=/old\nFile5=/older\n[Other]\nk=v\n");
    list.writeTo(ini);
    EXPECT_EQ(ini.serialize(), "[Other]\r\nk=v\r\n[RecentFiles]\r\nFile0=/a\r\nFile1=/c\r\n");
}

class RecentFilesOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lexo-recent-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        listFile_ = folder_ / "historyev.ini";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string makeFile(const std::string& name) {
        const auto path = folder_ / name;
        EXPECT_TRUE(writeFileAtomically(path, "a;b;[];NENÍ\r\n").ok);
        return path.string();
    }

    std::filesystem::path folder_;
    std::filesystem::path listFile_;
};

TEST_F(RecentFilesOnDisk, EveryChangeIsWrittenAtOnceKeepingOtherSections) {
    RecentFiles list(5);
    EXPECT_EQ(list.load(listFile_), RecentFiles::LoadStatus::Missing);
    EXPECT_FALSE(std::filesystem::exists(listFile_)) << "nothing to write yet";
    const std::string a = makeFile("a.slv");
    const std::string b = makeFile("b.slv");
    list.addToTop(a);
    EXPECT_EQ(fileKeys(listFile_), (Paths{"File0=" + a}));

    ASSERT_TRUE(writeFileAtomically(listFile_, "[Window]\r\nLeft=10\r\n[RecentFiles]\r\nFile0=" + a + "\r\n").ok);
    EXPECT_EQ(list.load(listFile_), RecentFiles::LoadStatus::Loaded);
    list.addToTop(b);
    EXPECT_EQ(fileKeys(listFile_), (Paths{"File0=" + b, "File1=" + a}));
    list.moveToTop(1);
    EXPECT_EQ(fileKeys(listFile_), (Paths{"File0=" + a, "File1=" + b}));
    list.remove(0);
    EXPECT_EQ(fileKeys(listFile_), (Paths{"File0=" + b}));
    EXPECT_EQ(readIniFile(listFile_).file.value("window", "left"), "10");
}

TEST_F(RecentFilesOnDisk, VanishedFilesAndFoldersAreDroppedAtLoadAndTheShorterListWritten) {
    const std::string a = makeFile("a.slv");
    const std::string c = makeFile("c.slv");
    std::filesystem::create_directory(folder_ / "sub");
    ASSERT_TRUE(writeFileAtomically(listFile_, "[RecentFiles]\nFile0=" + a + "\nFile1=" + (folder_ / "gone.slv").string() +
                                                   "\nFile2=" + (folder_ / "sub").string() + "\nFile3=" + c + "\n")
                    .ok);
    RecentFiles list(5);
    list.load(listFile_);
    EXPECT_EQ(list.entries(), (Paths{a, c}));
    EXPECT_EQ(fileKeys(listFile_), (Paths{"File0=" + a, "File1=" + c}));
}

TEST_F(RecentFilesOnDisk, UnreadableListFileIsNeverOverwritten) {
    RecentFiles list(5, always);
    list.addToTop("/kept");
    std::filesystem::create_directory(listFile_);
    EXPECT_EQ(list.load(listFile_), RecentFiles::LoadStatus::Unreadable);
    EXPECT_EQ(list.entries(), (Paths{"/kept"}));
    list.addToTop("/new");
    EXPECT_FALSE(list.save().ok);
    EXPECT_TRUE(std::filesystem::is_directory(listFile_));
}

TEST_F(RecentFilesOnDisk, FailedWriteIsReportedAndTheListKept) {
    RecentFiles list(5, always);
    EXPECT_EQ(list.load(folder_ / "no-such-folder" / "historyev.ini"), RecentFiles::LoadStatus::Missing);
    list.addToTop("/a");
    EXPECT_EQ(list.entries(), (Paths{"/a"}));
    const FileResult result = list.save();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

}  // namespace
}  // namespace lexo
