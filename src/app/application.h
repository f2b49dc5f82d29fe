#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/general_settings.h"
#include "app/shell.h"
#include "platform/ports.h"
#include "platform/settings_store.h"

namespace lexo {

class AppSignals;

// What the whole program shares. Windows read `general` at the moment they need a value:
// it always holds the settings in effect, confirmed or not.
struct AppContext {
    std::filesystem::path programFolder;
    std::unique_ptr<SettingsStore> settings;
    GeneralSettings general;
    StartupState startup{{}};
    AppSignals* appSignals = nullptr;
    Speaker* speaker = nullptr;
    SoundPlayer* soundPlayer = nullptr;
    Prompter* prompter = nullptr;
    // What the program calls itself at the moment: "Lexo", or "Lexo - …" while a working
    // window is open.
    std::string applicationTitle{kApplicationTitle};
};

// Sets up Czech standard dialogs and locale, the program folder and the settings, shows
// the splash and then the main window, and runs until the program ends.
int runLexo(int argc, char** argv);

}  // namespace lexo
