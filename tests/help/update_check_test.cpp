#include <gtest/gtest.h>

#include "help/update_check.h"

namespace lexo {
namespace {

TEST(VersionFile, SixLinesWithNews) {
    const auto info = parseVersionFile(
        "2.80\r\n1048576\r\n1.2.2007\r\nhttp://lexo.example/lexo280.exe\r\nlexo280.exe\r\nNov\xE9 okno;Rychlej\x9A\xED start;Opravy\r\n");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->version, "2.80");
    EXPECT_EQ(info->size, 1048576u);
    EXPECT_EQ(info->date, "1.2.2007");
    EXPECT_EQ(info->installerUrl, "http://lexo.example/lexo280.exe");
    EXPECT_EQ(info->installerName, "lexo280.exe");
    EXPECT_EQ(info->news, (std::vector<std::string>{"Nové okno", "Rychlejší start", "Opravy"}));
    EXPECT_TRUE(offersDownload(*info));
}

TEST(VersionFile, NewsStopAtTheFirstEmptyItem) {
    EXPECT_EQ(newsItems("a;b;"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(newsItems("a;;c"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(newsItems(""), std::vector<std::string>{});
    EXPECT_EQ(newsItems(";a"), std::vector<std::string>{});
    // An empty sixth line is still a sixth line.
    const auto info = parseVersionFile("3\n1\n\n\nx\n\n7\n");
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->news.empty());
    EXPECT_EQ(shownValue(info->date), "-");
}

TEST(VersionFile, OnlyOurOwnVersionOffersNothing) {
    auto info = parseVersionFile("2.70\n5\nd\nu\nn\nx\n");
    ASSERT_TRUE(info);
    EXPECT_FALSE(offersDownload(*info));
    // Older, differently written or padded versions are still offered: equality only.
    for (const char* other : {"2.60", "2.7", "2.70 ", "3.0"}) {
        info->version = other;
        EXPECT_TRUE(offersDownload(*info)) << other;
    }
}

TEST(VersionFile, MissingLinesOrBadSizeFail) {
    EXPECT_FALSE(parseVersionFile(""));
    EXPECT_FALSE(parseVersionFile("2.80\n1\nd\nu\nn\n"));      // five lines
    EXPECT_FALSE(parseVersionFile("2.80\n-1\nd\nu\nn\nx\n"));  // not a size
    EXPECT_FALSE(parseVersionFile("2.80\n1 MB\nd\nu\nn\nx\n"));
    EXPECT_FALSE(parseVersionFile("2.80\n\nd\nu\nn\nx\n"));
    EXPECT_FALSE(parseVersionFile("2.80\n99999999999999999999999\nd\nu\nn\nx\n"));
}

TEST(InstallerName, StaysAPlainNameInsideTheUpdateFolder) {
    EXPECT_EQ(safeInstallerName("lexo280.exe"), "lexo280.exe");
    EXPECT_EQ(safeInstallerName("../../x"), "x");
    EXPECT_EQ(safeInstallerName("..\\..\\Windows\\setup.exe"), "setup.exe");
    EXPECT_EQ(safeInstallerName("/etc/passwd"), "passwd");
    EXPECT_EQ(safeInstallerName("a\nb\tc.exe"), "abc.exe");
    EXPECT_EQ(safeInstallerName("instalace Lexo.exe"), "instalace Lexo.exe");
    for (const char* bad : {"", ".", "..", "../", "dir/..", "a/", "\n\r", "  "})
        EXPECT_EQ(safeInstallerName(bad), std::nullopt) << bad;
    EXPECT_EQ(safeInstallerName(std::string(300, 'a')), std::nullopt);

    const auto paths = installerPaths("/home/u/lexo", "../../../.bashrc");
    ASSERT_TRUE(paths);
    EXPECT_EQ(paths->folder, std::filesystem::path("/home/u/lexo/Aktualizace"));
    EXPECT_EQ(paths->target, std::filesystem::path("/home/u/lexo/Aktualizace/.bashrc"));
    EXPECT_EQ(paths->target.lexically_normal().parent_path(), paths->folder);
}

TEST(UpdateAddress, EnvironmentOverridesAndEndsWithSlash) {
    EXPECT_EQ(updateAddress("http://127.0.0.1:8080"), "http://127.0.0.1:8080/");
    EXPECT_EQ(updateAddress("http://mirror/lexo/"), "http://mirror/lexo/");
    const std::string builtIn = updateAddress(nullptr);
    EXPECT_EQ(updateAddress(""), builtIn);
    EXPECT_EQ(builtIn.back(), '/');
    EXPECT_EQ(versionFileUrl("http://m/"), "http://m/N-VERZE.TXT");
}

}  // namespace
}  // namespace lexo
