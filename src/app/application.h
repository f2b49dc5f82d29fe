#pragma once

#include <filesystem>
#include <memory>

#include "app/general_settings.h"
#include "platform/settings_store.h"

namespace lexo {

// What the whole program shares: the program folder, the settings store and the general
// settings as they stand in this run.
struct AppContext {
    std::filesystem::path programFolder;
    std::unique_ptr<FileSettingsStore> settings;
    GeneralSettings general;
};

// Sets up Czech standard dialogs and locale, the program folder and the settings, shows
// the main window and runs until the program ends. Returns the exit status.
int runLexo(int argc, char** argv);

}  // namespace lexo
