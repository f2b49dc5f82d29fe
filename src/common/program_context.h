#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "common/general_settings.h"
#include "common/program_info.h"
#include "common/startup_state.h"
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

}  // namespace lexo
