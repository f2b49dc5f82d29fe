#include "dictionary/sound_folder.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_file.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

TEST(SoundFolder, NameAndFolderOfADictionary) {
    EXPECT_EQ(soundFileName("/home/a/kocka.wav"), "kocka.wav");
    EXPECT_EQ(soundFileName("D:\\Nahravky\\kocka.wav"), "kocka.wav");
    EXPECT_EQ(soundFileName("kocka.wav"), "kocka.wav");
    TempDir dir;
    EXPECT_EQ(soundFolderFor(dir / "zvirata.slv"), dir / "zvirata");
    EXPECT_EQ(soundFolderFor(dir / "zvirata.old.slv"), dir / "zvirata");
    EXPECT_EQ(soundFolderFor(dir / ".slv"), dir.path()) << "an empty stem means the dictionary's folder";
    EXPECT_EQ(soundFolderFor(dir / "zvirata"), dir.path()) << "a folder cannot take the dictionary's own name";
    fs::create_directories(dir / "ZVÍŘATA");
    EXPECT_EQ(soundFolderFor(dir / "zvířata.slv"), dir / "ZVÍŘATA");
}

TEST(SoundFolder, SaveMovesSoundsBesideTheDictionaryOnce) {
    TempDir dir;
    writeBytes(dir / "rec" / "kocka.wav", "meow");
    ExpressionTable table;
    table.append("cat", "kočka", "[]", (dir / "rec" / "kocka.wav").string());
    table.append("dog", "pes", "[]", "NENÍ");
    const SoundMoveReport first = moveSoundFiles(table, dir / "slovniky" / "zvirata.slv");
    const fs::path target = dir / "slovniky" / "zvirata" / "kocka.wav";
    EXPECT_EQ(first.moved, 1u);
    EXPECT_EQ(table.sound(0), target.string());
    EXPECT_EQ(table.sound(1), kNoSound);
    EXPECT_EQ(readBytes(target), "meow");
    EXPECT_FALSE(fs::exists(dir / "rec" / "kocka.wav"));

    const SoundMoveReport again = moveSoundFiles(table, dir / "slovniky" / "zvirata.slv");
    EXPECT_EQ(again.moved, 0u);
    EXPECT_EQ(table.sound(0), target.string());
    EXPECT_EQ(readBytes(target), "meow");
}

TEST(SoundFolder, SoundsOfTheSameNameAreAllKept) {
    TempDir dir;
    const fs::path dict = dir / "d" / "slova.slv";
    writeBytes(dir / "d" / "slova" / "a.wav", "in place");
    writeBytes(dir / "x" / "a.wav", "from x");
    writeBytes(dir / "y" / "a.wav", "from y");
    writeBytes(dir / "d" / "slova" / "stale.wav", "nobody's");
    writeBytes(dir / "z" / "stale.wav", "new one");
    ExpressionTable table;
    table.append("1", "1", "[]", (dir / "x" / "a.wav").string());          // collides with row 1's file
    table.append("2", "2", "[]", (dir / "d" / "slova" / "a.wav").string()); // already in place
    table.append("3", "3", "[]", (dir / "y" / "a.wav").string());
    table.append("4", "4", "[]", (dir / "x" / "a.wav").string());           // shares row 0's file
    table.append("5", "5", "[]", (dir / "z" / "stale.wav").string());       // replaces an unused file
    moveSoundFiles(table, dict);

    EXPECT_EQ(readBytes(std::string(table.sound(0))), "from x");
    EXPECT_EQ(readBytes(std::string(table.sound(1))), "in place");
    EXPECT_EQ(readBytes(std::string(table.sound(2))), "from y");
    EXPECT_EQ(table.sound(3), table.sound(0));
    EXPECT_EQ(table.sound(4), (dir / "d" / "slova" / "stale.wav").string());
    EXPECT_EQ(readBytes(std::string(table.sound(4))), "new one");
    EXPECT_NE(table.sound(0), table.sound(2));
    for (std::size_t r = 0; r < table.size(); ++r)
        EXPECT_EQ(fs::path(std::string(table.sound(r))).parent_path(), dir / "d" / "slova");
}

TEST(SoundFolder, MissingAndUnmovableSounds) {
    TempDir dir;
    writeBytes(dir / "rec" / "b.wav", "keep me");
    // The sound folder's name is taken by a file, so nothing can be moved into it.
    writeBytes(dir / "blocked", "file");
    ExpressionTable table;
    table.append("a", "a", "[]", "C:\\Nahravky\\a.wav");
    table.append("b", "b", "[]", (dir / "rec" / "b.wav").string());
    const SoundMoveReport report = moveSoundFiles(table, dir / "blocked.slv");
    EXPECT_EQ(report.missing, 1u);
    EXPECT_EQ(report.failed, 1u);
    EXPECT_EQ(table.sound(0), (dir / "blocked" / "a.wav").string());
    EXPECT_EQ(table.sound(1), (dir / "rec" / "b.wav").string()) << "a sound that stayed put keeps its reference";
    EXPECT_EQ(readBytes(dir / "rec" / "b.wav"), "keep me");
}

TEST(SoundFolder, EmptyStemUsesTheDictionaryFolderWithoutDoubledSeparator) {
    TempDir dir;
    writeBytes(dir / "rec" / "c.wav", "c");
    ExpressionTable table;
    table.append("c", "c", "[]", (dir / "rec" / "c.wav").string());
    moveSoundFiles(table, dir / "d" / ".slv");
    EXPECT_EQ(table.sound(0), (dir / "d" / "c.wav").string());
    EXPECT_EQ(table.sound(0).find("//"), std::string_view::npos);
}

TEST(SoundFolder, DictionaryWithoutDotKeepsItsSoundsBesideItAndIsNeverOverwritten) {
    TempDir dir;
    writeBytes(dir / "slovnik", "cat;kočka;[];NENÍ\r\n");
    writeBytes(dir / "rec" / "kocka.wav", "meow");
    writeBytes(dir / "rec" / "slovnik", "a sound named like the dictionary");
    ExpressionTable table;
    table.append("cat", "kočka", "[]", (dir / "rec" / "kocka.wav").string());
    table.append("odd", "divné", "[]", (dir / "rec" / "slovnik").string());
    const SoundMoveReport report = moveSoundFiles(table, dir / "slovnik");
    EXPECT_EQ(report.moved, 2u);
    EXPECT_EQ(table.sound(0), (dir / "kocka.wav").string());
    EXPECT_EQ(readBytes(dir / "kocka.wav"), "meow");
    EXPECT_EQ(readBytes(dir / "slovnik"), "cat;kočka;[];NENÍ\r\n") << "the dictionary file stays";
    EXPECT_EQ(table.sound(1), (dir / "slovnik (2)").string());
    EXPECT_EQ(readBytes(dir / "slovnik (2)"), "a sound named like the dictionary");
}

// The same file reached through a symlinked folder, "..", or a doubled separator is one
// file: saving never deletes it to make room for itself.
TEST(SoundFolder, AFileUnderAnotherSpellingIsItsOwnTarget) {
    TempDir dir;
    writeBytes(dir / "real" / "zvirata" / "kocka.wav", "meow");
    writeBytes(dir / "real" / "zvirata" / "pes.wav", "woof");
    writeBytes(dir / "real" / "zvirata" / "kun.wav", "neigh");
    fs::create_directory_symlink(dir / "real", dir / "link");
    ExpressionTable table;
    table.append("cat", "kočka", "[]", (dir / "link" / "zvirata" / "kocka.wav").string());
    table.append("dog", "pes", "[]", (dir / "real" / "sub" / ".." / "zvirata" / "pes.wav").string());
    table.append("horse", "kůň", "[]", (dir / "real" / "zvirata").string() + "//kun.wav");
    fs::create_directories(dir / "real" / "sub");

    const SoundMoveReport report = moveSoundFiles(table, dir / "real" / "zvirata.slv");
    EXPECT_EQ(report.moved, 0u);
    EXPECT_EQ(report.failed, 0u);
    const fs::path folder = dir / "real" / "zvirata";
    EXPECT_EQ(table.sound(0), (folder / "kocka.wav").string()) << "the folder's spelling";
    EXPECT_EQ(table.sound(1), (folder / "pes.wav").string());
    EXPECT_EQ(table.sound(2), (folder / "kun.wav").string());
    EXPECT_EQ(readBytes(folder / "kocka.wav"), "meow");
    EXPECT_EQ(readBytes(folder / "pes.wav"), "woof");
    EXPECT_EQ(readBytes(folder / "kun.wav"), "neigh");

    // Opened through the link this time: the folder is spelled through it, same files.
    const SoundMoveReport again = moveSoundFiles(table, dir / "link" / ".." / "link" / "zvirata.slv");
    EXPECT_EQ(again.moved + again.failed, 0u);
    EXPECT_EQ(readBytes(folder / "kocka.wav"), "meow");
    EXPECT_EQ(readBytes(dir / "link" / ".." / "link" / "zvirata" / "pes.wav"), "woof");
}

// A file already at the target that another row refers to under another spelling is
// that row's sound: the incoming sound takes a numbered name instead.
TEST(SoundFolder, ATargetReferredToUnderAnotherSpellingIsKept) {
    TempDir dir;
    writeBytes(dir / "real" / "zvirata" / "kocka.wav", "old meow");
    writeBytes(dir / "rec" / "kocka.wav", "new meow");
    fs::create_directory_symlink(dir / "real", dir / "link");
    ExpressionTable table;
    table.append("kitten", "kotě", "[]", (dir / "rec" / "kocka.wav").string());
    table.append("cat", "kočka", "[]", (dir / "link" / "zvirata" / "kocka.wav").string());

    const SoundMoveReport report = moveSoundFiles(table, dir / "real" / "zvirata.slv");
    EXPECT_EQ(report.moved, 1u);
    EXPECT_EQ(report.renamed, 1u);
    EXPECT_EQ(readBytes(table.sound(0)), "new meow");
    EXPECT_EQ(readBytes(table.sound(1)), "old meow");
    EXPECT_NE(table.sound(0), table.sound(1));
}

// Saving under a new name beside a dictionary still on disk: its sounds are copied.
TEST(SoundFolder, SoundsOfAKeptFolderAreCopied) {
    TempDir dir;
    writeBytes(dir / "stary" / "pes.wav", "woof");
    writeBytes(dir / "Temp" / "kocka.wav", "meow");
    ExpressionTable table;
    table.append("dog", "pes", "[]", (dir / "stary" / "pes.wav").string());
    table.append("cat", "kočka", "[]", (dir / "Temp" / "kocka.wav").string());
    const SoundMoveReport report = moveSoundFiles(table, dir / "novy.slv", dir / "stary");
    EXPECT_EQ(report.moved, 2u);
    EXPECT_EQ(readBytes(dir / "stary" / "pes.wav"), "woof") << "copied";
    EXPECT_EQ(readBytes(dir / "novy" / "pes.wav"), "woof");
    EXPECT_FALSE(fs::exists(dir / "Temp" / "kocka.wav")) << "moved";
    EXPECT_EQ(readBytes(dir / "novy" / "kocka.wav"), "meow");
}

}  // namespace
}  // namespace lexo
