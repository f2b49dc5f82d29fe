#include "app/shell.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

TEST(Shell, CommandLineDictionaryGoesToTheFirstWindowOnly) {
    StartupState none({});
    EXPECT_FALSE(none.openFromCommandLine());
    EXPECT_FALSE(none.takeCommandLineDictionary());

    StartupState state({"/home/u/zvirata.slv", "ignored"});
    EXPECT_TRUE(state.openFromCommandLine());
    EXPECT_EQ(state.takeCommandLineDictionary(), "/home/u/zvirata.slv");
    EXPECT_FALSE(state.openFromCommandLine());
    EXPECT_FALSE(state.takeCommandLineDictionary()) << "a second window must not load it again";
}

TEST(Shell, CommandLineNamesAreFoundInTheCurrentThenTheProgramFolder) {
    TempDir dir;
    writeBytes(dir / "cwd" / "a.slv", "x;y;[];NENÍ");
    writeBytes(dir / "program" / "b.slv", "x;y;[];NENÍ");
    EXPECT_EQ(resolveCommandLineDictionary("/abs/c.slv", dir / "cwd", dir / "program"), fs::path("/abs/c.slv"));
    EXPECT_EQ(resolveCommandLineDictionary("a.slv", dir / "cwd", dir / "program"), dir / "cwd" / "a.slv");
    EXPECT_EQ(resolveCommandLineDictionary("b.slv", dir / "cwd", dir / "program"), dir / "program" / "b.slv");
    EXPECT_EQ(resolveCommandLineDictionary("c.slv", dir / "cwd", dir / "program"), dir / "cwd" / "c.slv");
}

TEST(Shell, TipComesOnceAndNotAfterTheSettingsWindow) {
    StartupState state({});
    EXPECT_FALSE(state.takeTipOnActivation(false));
    EXPECT_TRUE(state.firstActivation()) << "tips off keeps the chance for later";
    EXPECT_TRUE(state.takeTipOnActivation(true));
    EXPECT_FALSE(state.takeTipOnActivation(true));

    StartupState later({});
    later.takeTipOnActivation(false);
    later.settingsWindowLeft();  // tips switched on there
    EXPECT_FALSE(later.takeTipOnActivation(true));
}

TEST(Shell, SplashHandsOverOnTheSecondTickOnly) {
    SplashCountdown countdown;
    EXPECT_FALSE(countdown.tick()) << "not started";
    countdown.start();
    EXPECT_FALSE(countdown.tick());
    EXPECT_TRUE(countdown.tick());
    EXPECT_FALSE(countdown.running());
    countdown.start();  // the about box activates it again: no second hand-over
    EXPECT_FALSE(countdown.running());
    EXPECT_FALSE(countdown.tick());

    SplashCountdown stopped;
    stopped.start();
    stopped.stop();
    EXPECT_FALSE(stopped.tick());
    EXPECT_FALSE(stopped.tick());
}

TEST(Shell, TitlesOfTheWorkingWindows) {
    EXPECT_EQ(mainWindowCaption("2.95"), "Lexo 2.95");
    EXPECT_EQ(applicationTitleFor(WorkingWindow::Editor), "Lexo - Editor výrazů");
    EXPECT_EQ(applicationTitleFor(WorkingWindow::Learning), "Lexo - Zkoušení nepravidelných sloves");
    EXPECT_EQ(applicationTitleFor(WorkingWindow::Statistics), "Lexo - Statistiky");
}

TEST(Shell, TempLosesItsFilesButKeepsFolders) {
    TempDir dir;
    writeBytes(dir / "Temp" / "a.wav", "a");
    writeBytes(dir / "Temp" / "b.wav", "b");
    writeBytes(dir / "Temp" / "sub" / "c.wav", "c");
    const TempCleanup result = clearTempFolder(dir / "Temp");
    EXPECT_EQ(result.deleted, 2u);
    EXPECT_FALSE(fs::exists(dir / "Temp" / "a.wav"));
    EXPECT_TRUE(fs::exists(dir / "Temp" / "sub" / "c.wav"));
    EXPECT_EQ(clearTempFolder(dir / "missing").deleted, 0u);
}

TEST(Shell, DesktopRegistrationOnlyWhenMissing) {
    TempDir dir;
    const DesktopIntegration files{"[Desktop Entry]\nName=Lexo\nExec=lexo %f\nTryExec=lexo\nIcon=lexo\n", "<mime/>",
                                   "PNG"};
    const fs::path exe = "/opt/my apps/lexo";
    EXPECT_EQ(registerDesktopIntegration(dir / "home", {dir / "sys"}, exe, files), RegistrationResult::Registered);
    const std::string entry = readBytes(dir / "home" / "applications" / "lexo.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/my apps/lexo\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("TryExec=/opt/my apps/lexo\n"), std::string::npos);
    // No icon theme folder: one without a theme index makes every icon look-up of the
    // desktop's Qt programs wander through it.
    EXPECT_FALSE(fs::exists(dir / "home" / "icons" / "hicolor"));
    const fs::path icon = dir / "home" / "icons" / "lexo.png";
    EXPECT_EQ(readBytes(icon), "PNG");
    EXPECT_NE(entry.find("Icon=" + icon.string() + "\n"), std::string::npos);
    EXPECT_EQ(readBytes(dir / "home" / "mime" / "packages" / "lexo.xml"), "<mime/>");
    EXPECT_EQ(registerDesktopIntegration(dir / "home", {}, exe, files), RegistrationResult::AlreadyRegistered);

    writeBytes(dir / "sys" / "applications" / "lexo.desktop", "installed");
    EXPECT_EQ(registerDesktopIntegration(dir / "other", {dir / "sys"}, exe, files),
              RegistrationResult::AlreadyRegistered);
    EXPECT_FALSE(fs::exists(dir / "other"));

    writeBytes(dir / "blocked", "a file where the folder should be");
    EXPECT_EQ(registerDesktopIntegration(dir / "blocked", {}, exe, files), RegistrationResult::Failed);
}

}  // namespace
}  // namespace lexo
