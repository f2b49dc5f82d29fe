#include "tools/tool_commands.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

TEST(ConvertCommand, WritesWhatTheConverterWindowWould) {
    TempDir dir;
    writeBytes(dir / "slova.cz", "pes\r\nko\xE8ka\r\n\r\nk\xF9\xF2\r\n");
    writeBytes(dir / "slova.ang", "dog\ncat\nempty-czech\n");
    const CommandResult result = convertCommand(dir / "slova.cz", dir / "slova.ang", dir / "novy.slv");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(dir / "novy.slv"),
              "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];NEN\xCD\r\n;empty-czech;[];NEN\xCD\r\nk\xF9\xF2;;[];NEN\xCD\r\n");
    EXPECT_NE(result.out.find("4"), std::string::npos);
    EXPECT_NE(result.err.find("méně"), std::string::npos);
}

TEST(ConvertCommand, NothingIsWrittenWithoutBothLists) {
    TempDir dir;
    writeBytes(dir / "a.cz", "pes\n");
    writeBytes(dir / "prazdny.ang", "");
    writeBytes(dir / "novy.slv", "stary;old;[];NENÍ\r\n");
    CommandResult result = convertCommand(dir / "a.cz", dir / "prazdny.ang", dir / "novy.slv");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Nelze převést slovníky, není načtený slovník s Cizími výrazy\n");
    result = convertCommand(dir / "neni.cz", dir / "a.cz", dir / "novy.slv");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("neni.cz"), std::string::npos);
    EXPECT_EQ(readBytes(dir / "novy.slv"), "stary;old;[];NENÍ\r\n");
}

TEST(MergeCommand, JoinsEveryInputInOrderWithDuplicates) {
    TempDir dir;
    writeBytes(dir / "a.slv", "pes;dog;[];NENÍ\r\nkočka;cat;[];/z/cat.wav\r\n");
    writeBytes(dir / "b.slv", "ko\xE8ka;cat;[];NEN\xCD\r\nryba;fish\r\n");
    const CommandResult result = mergeCommand(dir / "novy.slv", {dir / "a.slv", dir / "b.slv", dir / "a.slv"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(dir / "novy.slv"),
              "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];/z/cat.wav\r\nko\xE8ka;cat;[];NEN\xCD\r\nryba;fish;[];NEN\xCD\r\n"
              "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];/z/cat.wav\r\n");
}

TEST(MergeCommand, AnInputThatCannotBeReadStopsEverything) {
    TempDir dir;
    writeBytes(dir / "a.slv", "pes;dog;[];NENÍ\r\n");
    writeBytes(dir / "prazdny.slv", "");
    for (const fs::path& bad : {dir / "prazdny.slv", dir / "neni.slv", dir.path()}) {
        const CommandResult result = mergeCommand(dir / "novy.slv", {dir / "a.slv", bad});
        EXPECT_EQ(result.exitCode, 1) << bad;
        EXPECT_FALSE(result.err.empty());
        EXPECT_FALSE(fs::exists(dir / "novy.slv"));
    }
    // The output may be one of the inputs: everything is read before anything is written.
    const CommandResult result = mergeCommand(dir / "a.slv", {dir / "a.slv", dir / "a.slv"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(readBytes(dir / "a.slv"), "pes;dog;[];NEN\xCD\r\npes;dog;[];NEN\xCD\r\n");
}

}  // namespace
}  // namespace lexo
