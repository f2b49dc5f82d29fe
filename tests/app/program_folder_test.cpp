#include "app/program_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

TEST(ProgramFolder, ResolutionOrder) {
    TempDir dir;
    ProgramFolderInputs in{std::nullopt, dir / "bin", std::nullopt, "/home/u"};
    EXPECT_EQ(resolveProgramFolder(in), fs::path("/home/u/.local/share/lexo"));
    in.xdgDataHome = "data";
    EXPECT_EQ(resolveProgramFolder(in), fs::path("/home/u/.local/share/lexo")) << "a relative XDG_DATA_HOME is invalid";
    in.xdgDataHome = "/data";
    EXPECT_EQ(resolveProgramFolder(in), fs::path("/data/lexo"));
    writeBytes(dir / "bin" / "WorkDir" / "sound.wav", "RIFF");
    EXPECT_EQ(resolveProgramFolder(in), dir / "bin") << "a build tree or portable copy is its own folder";
    in.lexoHome = "/tmp/h";
    EXPECT_EQ(resolveProgramFolder(in), fs::path("/tmp/h"));
    EXPECT_EQ(shippedDataFolder(dir / "bin"), dir / "bin");
    EXPECT_EQ(shippedDataFolder("/usr/bin"), fs::path("/usr/share/lexo"));
}

TEST(ProgramFolder, SeedingCopiesWhatIsMissingAndNeverOverwrites) {
    TempDir dir;
    writeBytes(dir / "share" / "WorkDir" / "sound.wav", "shipped sound");
    writeBytes(dir / "share" / "Tips.umv", "shipped tips");
    writeBytes(dir / "home" / "Tips.umv", "user's tips");
    writeBytes(dir / "share" / "lexo", "a program beside the data");
    fs::permissions(dir / "share" / "lexo", fs::perms::owner_exec, fs::perm_options::add);
    const SeedReport report = seedProgramFolder(dir / "home", dir / "share");
    EXPECT_EQ(report.copied, 1u);
    EXPECT_EQ(readBytes(dir / "home" / "Tips.umv"), "user's tips");
    EXPECT_EQ(readBytes(dir / "home" / "WorkDir" / "sound.wav"), "shipped sound");
    EXPECT_FALSE(fs::exists(dir / "home" / "lexo"));
    EXPECT_TRUE(fs::is_directory(dir / "home" / "Temp"));
    EXPECT_TRUE(fs::is_directory(dir / "home" / "Aktualizace"));
    EXPECT_EQ(seedProgramFolder(dir / "home", dir / "share").copied, 0u);
}

}  // namespace
}  // namespace lexo
