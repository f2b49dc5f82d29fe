#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "common/program_context.h"

namespace lexo {

// Sets up Czech standard dialogs and locale, the program folder and the settings, shows
// the splash and then the main window, and runs until the program ends.
int runLexo(int argc, char** argv);

}  // namespace lexo
