#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

const std::string kKey = "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Nastaveni";

SettingsData parseOk(std::string_view bytes) {
    SettingsParse parsed = parseSettingsFile(bytes);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    return std::move(parsed.data);
}

std::string utf16le(std::string_view ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

TEST(SettingsFile, WritesTheRegistryExportFormat) {
    MemorySettingsStore store;
    ASSERT_TRUE(store.writeBool(kKey, "Velkapismena", false));
    ASSERT_TRUE(store.writeInteger(kKey, "Rychlost vyslovnosti", 180));
    ASSERT_TRUE(store.writeInteger(kKey, "Zaporne", -1));
    ASSERT_TRUE(store.writeString(kKey, "Proc1", "80"));
    ASSERT_TRUE(store.writeString(kKey, "Cesta \"a\"", "C:\\Lexo\\\"x\""));
    ASSERT_TRUE(store.writeString(kKey, "", "výchozí"));
    EXPECT_EQ(serializeSettings(store.data()),
              "Windows Registry Editor Version 5.00\n"
              "\n"
              "[HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Nastaveni]\n"
              "\"Velkapismena\"=dword:00000000\n"
              "\"Rychlost vyslovnosti\"=dword:000000b4\n"
              "\"Zaporne\"=dword:ffffffff\n"
              "\"Proc1\"=\"80\"\n"
              "\"Cesta \\\"a\\\"\"=\"C:\\\\Lexo\\\\\\\"x\\\"\"\n"
              "@=\"výchozí\"\n"
              "\n");
    const SettingsData back = parseOk(serializeSettings(store.data()));
    EXPECT_EQ(back, store.data());
    EXPECT_EQ(MemorySettingsStore(back).readInteger(kKey, "Zaporne"), -1);
}

TEST(SettingsFile, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    MemorySettingsStore store(parseOk("Windows Registry Editor Version 5.00\r\n\r\n"
                                      "[HKEY_CURRENT_USER\\Software\\Lexo2 - 2.95\\NASTAVENI]\r\n"
                                      "\"FontName\"=\"Arial\"\r\n"
                                      "\"Čeština\"=dword:00000001\r\n"));
    EXPECT_TRUE(store.keyExists(kKey));
    EXPECT_EQ(store.readString(kKey, "fontname"), "Arial");
    EXPECT_EQ(store.readBool(kKey, "ČEŠTINA"), true);

    ASSERT_TRUE(store.writeString(kKey, "FONTNAME", "Lexo"));
    ASSERT_TRUE(store.writeInteger(kKey, "Nová", 2));
    EXPECT_EQ(store.valueNames(kKey), (std::vector<std::string>{"FontName", "Čeština", "Nová"}));
    // Parents exist without sections of their own.
    EXPECT_TRUE(store.keyExists("hkey_current_user\\software"));
    EXPECT_FALSE(store.keyExists("HKEY_CURRENT_USER\\soft"));
    ASSERT_TRUE(store.createKey("HKEY_CURRENT_USER\\software"));
    ASSERT_EQ(store.data().keys().size(), 1u);
    EXPECT_EQ(store.data().keys()[0].path, "HKEY_CURRENT_USER\\Software\\Lexo2 - 2.95\\NASTAVENI");

    // Sections and values repeated in another case merge; the later value wins.
    const SettingsData merged = parseOk("REGEDIT4\n[A\\b]\n\"x\"=\"1\"\n[a\\B]\n\"X\"=\"2\"\n\"y\"=\"3\"\n");
    ASSERT_EQ(merged.keys().size(), 1u);
    EXPECT_EQ(MemorySettingsStore(merged).valueNames("a\\b"), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(MemorySettingsStore(merged).readString("A\\B", "x"), "2");
}

TEST(SettingsFile, ReadsOfAnotherTypeOrMissingFail) {
    MemorySettingsStore store;
    ASSERT_TRUE(store.writeString(kKey, "Text", "1"));
    ASSERT_TRUE(store.writeInteger(kKey, "Cislo", 5));
    EXPECT_EQ(store.readInteger(kKey, "Text"), std::nullopt);
    EXPECT_EQ(store.readBool(kKey, "Text"), std::nullopt);
    EXPECT_EQ(store.readString(kKey, "Cislo"), std::nullopt);
    EXPECT_EQ(store.readBool(kKey, "Cislo"), true);  // any non-zero integer
    EXPECT_EQ(store.readString(kKey, "Chybi"), std::nullopt);
    EXPECT_EQ(store.readInteger("HKEY_CURRENT_USER\\jinde", "Cislo"), std::nullopt);
    EXPECT_TRUE(store.valueExists(kKey, "cislo"));
    EXPECT_FALSE(store.valueExists(kKey, "Chybi"));

    EXPECT_TRUE(store.deleteValue(kKey, "TEXT"));
    EXPECT_FALSE(store.valueExists(kKey, "Text"));
    EXPECT_FALSE(store.deleteValue(kKey, "Text"));

    // What could not be written back as it is, is refused.
    EXPECT_FALSE(store.writeString(kKey, "x", "\xC3"));        // not UTF-8
    EXPECT_FALSE(store.writeString(kKey, "a\nb", "x"));        // line break in a name
    EXPECT_FALSE(store.writeInteger("-HKEY_CURRENT_USER", "x", 1));  // reads back as a deletion
    EXPECT_FALSE(store.createKey(""));
    EXPECT_FALSE(store.createKey("a\rb"));
    EXPECT_EQ(store.data().keys().size(), 1u);
}

TEST(SettingsFile, OtherTypesAreKeptAsTheyWere) {
    const std::string file =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\x]\n"
        "\"Bin\"=hex:01,02,ff\n"
        "\"Expand\"=hex(2):25,00,54,00,\\\n"
        "  45,00,00,00\n"
        "\"Multi\"=hex(7):61,00,00,00,00,00\n"
        "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"
        "\"Dword\"=hex(4):0a,00,00,00\n"
        "\"Empty\"=hex:\n";
    MemorySettingsStore store(parseOk(file));
    for (const char* name : {"Bin", "Expand", "Multi", "Qword", "Empty"}) {
        EXPECT_TRUE(store.valueExists("HKEY_CURRENT_USER\\x", name)) << name;
        EXPECT_EQ(store.readString("HKEY_CURRENT_USER\\x", name), std::nullopt) << name;
        EXPECT_EQ(store.readInteger("HKEY_CURRENT_USER\\x", name), std::nullopt) << name;
    }
    EXPECT_EQ(store.readInteger("HKEY_CURRENT_USER\\x", "Dword"), 10);  // a dword in hex form

    const SettingsValue* expand = store.data().findValue("HKEY_CURRENT_USER\\x", "Expand");
    ASSERT_NE(expand, nullptr);
    EXPECT_EQ(expand->rawType, 2u);
    EXPECT_EQ(expand->bytes, std::string("%\0T\0E\0\0\0", 8));

    // Long data is wrapped on continuation lines and comes back whole.
    ASSERT_TRUE(store.writeString("HKEY_CURRENT_USER\\x", "Novy", "n"));
    SettingsData data = store.data();
    data.setValue("HKEY_CURRENT_USER\\x", "Long", SettingsValue::fromRaw(3, std::string(200, '\x5a')));
    const std::string text = serializeSettings(data);
    EXPECT_NE(text.find("\"Bin\"=hex:01,02,ff\n"), std::string::npos);
    EXPECT_NE(text.find("\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"), std::string::npos);
    EXPECT_NE(text.find(",\\\n  5a,"), std::string::npos);
    EXPECT_EQ(parseOk(text), data);
}

TEST(SettingsFile, ControlCharactersTravelAsHexStrings) {
    MemorySettingsStore store;
    const std::string text = "řádek 1\r\nřádek 2\ttab\x01 \xF0\x9F\x98\x80";
    ASSERT_TRUE(store.writeString(kKey, "Vice", text));
    const std::string file = serializeSettings(store.data());
    EXPECT_NE(file.find("\"Vice\"=hex(1):59,01,e1,00,"), std::string::npos);
    EXPECT_EQ(file.find('\r'), std::string::npos);
    EXPECT_EQ(file.find('\t'), std::string::npos);
    EXPECT_EQ(MemorySettingsStore(parseOk(file)).readString(kKey, "Vice"), text);
}

TEST(SettingsFile, ImportsUtf16AndAnsiExports) {
    // What regedit on Windows writes: UTF-16LE with BOM, CR LF.
    std::string file = utf16le("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\software\\x]\r\n"
                               "\"FontName\"=\"Lexo Font - Angli");
    file += "\x0D\x01";  // č
    file += utf16le("tina\"\r\n\"Jazyk\"=dword:00000002\r\n").substr(2);
    MemorySettingsStore wide(parseOk(file));
    EXPECT_EQ(wide.readString("HKEY_CURRENT_USER\\software\\x", "FontName"), "Lexo Font - Angličtina");
    EXPECT_EQ(wide.readInteger("HKEY_CURRENT_USER\\software\\x", "Jazyk"), 2);

    // REGEDIT4 files are in the ANSI code page, their hex(1) strings too.
    MemorySettingsStore ansi(parseOk("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\x]\r\n"
                                     "\"Font\"=\"Angli\xE8tina\"\r\n"
                                     "\"Hex\"=hex(1):e8,61,00\r\n"));
    EXPECT_EQ(ansi.readString("HKEY_CURRENT_USER\\x", "Font"), "Angličtina");
    EXPECT_EQ(ansi.readString("HKEY_CURRENT_USER\\x", "Hex"), "ča");

    // UTF-8 with a BOM, and comments.
    MemorySettingsStore bom(parseOk("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n; poznámka\n"
                                    "[k]\n  \"a\" = \"ž\"  \n"));
    EXPECT_EQ(bom.readString("k", "a"), "ž");
}

TEST(SettingsFile, DeletionLinesRemove) {
    MemorySettingsStore store(parseOk("REGEDIT4\n[a]\n\"x\"=\"1\"\n\"y\"=\"2\"\n[a\\b]\n\"z\"=\"3\"\n[ab]\n"
                                      "[a]\n\"x\"=-\n[-A\\B]\n\"z\"=\"ignored\"\n"));
    EXPECT_FALSE(store.valueExists("a", "x"));
    EXPECT_EQ(store.readString("a", "y"), "2");
    EXPECT_FALSE(store.keyExists("a\\b"));
    EXPECT_TRUE(store.keyExists("ab"));
}

TEST(SettingsFile, RefusesFilesItCannotRead) {
    EXPECT_TRUE(parseSettingsFile("").ok);
    EXPECT_TRUE(parseSettingsFile("\n  \r\n").ok);
    for (std::string_view bad : {
             std::string_view("[a]\n\"x\"=\"1\"\n"),                                  // no header
             std::string_view("REGEDIT4\n\"x\"=\"1\"\n"),                             // value before a key
             std::string_view("REGEDIT4\n[a]\nx=1\n"),                                // unquoted name
             std::string_view("REGEDIT4\n[a]\n\"x\"=dword:123456789\n"),              // nine digits
             std::string_view("REGEDIT4\n[a]\n\"x\"=dword:12g4\n"),
             std::string_view("REGEDIT4\n[a]\n\"x\"=\"open\n"),
             std::string_view("REGEDIT4\n[a]\n\"x\"=\"a\" b\n"),
             std::string_view("REGEDIT4\n[a]\n\"x\"=hex:1,,2\n"),
             std::string_view("REGEDIT4\n[a]\n\"x\"=hex(zz):01\n"),
             std::string_view("REGEDIT4\n[a]\n\"x\"=str:\"a\"\n"),
             std::string_view("REGEDIT4\n[]\n"),
             std::string_view("REGEDIT4\n[a\n"),
             std::string_view("\xEF\xBB\xBFREGEDIT4\n[\xC3]\n"),                      // BOM but not UTF-8
             std::string_view("\xFF\xFE\x00\xD8", 4),                                 // lone surrogate
         }) {
        EXPECT_FALSE(parseSettingsFile(bad).ok) << bad;
    }
}

TEST(SettingsFileStore, WritesReadBackFromTheFile) {
    TempDir dir;
    const auto file = dir / "config" / "registry.reg";
    {
        FileSettingsStore store(file);
        EXPECT_EQ(store.loadOutcome(), FileSettingsStore::LoadOutcome::NoFile);
        ASSERT_TRUE(store.writeString(kKey, "FontName", "Lexo Font - Angličtina"));
        ASSERT_TRUE(store.writeBool(kKey, "Tipy", true));
    }
    EXPECT_EQ(readBytes(file).substr(0, 38), "Windows Registry Editor Version 5.00\n\n");
    FileSettingsStore again(file);
    EXPECT_EQ(again.loadOutcome(), FileSettingsStore::LoadOutcome::Loaded);
    EXPECT_EQ(again.readString(kKey, "FontName"), "Lexo Font - Angličtina");
    EXPECT_EQ(again.readBool(kKey, "Tipy"), true);
    ASSERT_TRUE(again.deleteValue(kKey, "Tipy"));
    EXPECT_FALSE(FileSettingsStore(file).valueExists(kKey, "Tipy"));
}

TEST(SettingsFileStore, FailedWriteChangesNeitherFileNorStore) {
    TempDir dir;
    FileSettingsStore store(dir / "cfg" / "registry.reg");
    ASSERT_TRUE(store.writeString(kKey, "a", "old"));
    const std::string before = readBytes(dir / "cfg" / "registry.reg");

    // The folder is replaced by a plain file, so nothing can be written there.
    std::filesystem::rename(dir / "cfg", dir / "moved");
    writeBytes(dir / "cfg", "not a folder");
    EXPECT_FALSE(store.writeString(kKey, "a", "new"));
    EXPECT_FALSE(store.writeInteger(kKey, "b", 1));
    EXPECT_FALSE(store.createKey(kKey + "\\Editor"));
    EXPECT_FALSE(store.lastError().empty());
    EXPECT_EQ(store.readString(kKey, "a"), "old");
    EXPECT_FALSE(store.valueExists(kKey, "b"));
    EXPECT_FALSE(store.keyExists(kKey + "\\Editor"));
    EXPECT_EQ(readBytes(dir / "moved" / "registry.reg"), before);

    std::filesystem::remove(dir / "cfg");
    std::filesystem::rename(dir / "moved", dir / "cfg");
    ASSERT_TRUE(store.writeInteger(kKey, "b", 1));
    FileSettingsStore reread(dir / "cfg" / "registry.reg");
    EXPECT_EQ(reread.readString(kKey, "a"), "old");
    EXPECT_EQ(reread.readInteger(kKey, "b"), 1);
}

TEST(SettingsFileStore, UnreadableFileIsSetAside) {
    TempDir dir;
    const auto file = dir / "registry.reg";
    const std::string garbage = "[HKEY_CURRENT_USER\\x]\n\"a\"=\"1\"\n";  // no header
    writeBytes(file, garbage);
    FileSettingsStore store(file);
    EXPECT_EQ(store.loadOutcome(), FileSettingsStore::LoadOutcome::SetAside);
    EXPECT_FALSE(store.lastError().empty());
    EXPECT_FALSE(store.keyExists("HKEY_CURRENT_USER\\x"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(readBytes(dir / "registry.reg.bad"), garbage);

    ASSERT_TRUE(store.writeInteger(kKey, "Jazyk", 0));
    EXPECT_EQ(FileSettingsStore(file).readInteger(kKey, "Jazyk"), 0);
    EXPECT_EQ(readBytes(dir / "registry.reg.bad"), garbage);
}

TEST(SettingsFile, DefaultFileFollowsTheEnvironment) {
    const char* names[] = {"LEXO_CONFIG_HOME", "XDG_CONFIG_HOME", "HOME"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }

    ::setenv("HOME", "/home/uzivatel", 1);
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    ::setenv("LEXO_CONFIG_HOME", "/lexo", 1);
    EXPECT_EQ(defaultSettingsFile(), "/lexo/registry.reg");
    ::unsetenv("LEXO_CONFIG_HOME");
    EXPECT_EQ(defaultSettingsFile(), "/xdg/lexo/registry.reg");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(defaultSettingsFile(), "/home/uzivatel/.config/lexo/registry.reg");

    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i]) {
            ::setenv(names[i], saved[i]->c_str(), 1);
        } else {
            ::unsetenv(names[i]);
        }
    }
}

}  // namespace
}  // namespace lexo
