#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/app_signals.h"
#include "common/program_context.h"
#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/fake_sound_player.h"
#include "support/fake_speaker.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"

namespace lexo::testing {

// The program's context over fakes, for window tests: the program folder in a temporary
// directory, message boxes answered by FakePrompter, sounds and speech only recorded, timers
// fired by hand, settings kept in memory.
struct FakeAppContext {
    FakeAppContext() {
        context.programFolder = dir / "program";
        std::filesystem::create_directories(context.programFolder);
        context.prompter = &prompter;
        context.soundPlayer = &player;
        context.speaker = &speaker;
        context.appSignals = &appSignals;
    }

    // A dictionary file in the temporary directory; the lines are UTF-8 here and stored in
    // Windows-1250, as the program writes them.
    std::filesystem::path dictionary(const std::string& name, const std::vector<std::string>& lines) const {
        const std::filesystem::path file = dir / name;
        writeDictionary(file, lines);
        return file;
    }

    TempDir dir;
    AppContext context;
    FakePrompter prompter;
    FakeSoundPlayer player;
    FakeSpeaker speaker;
    AppSignals appSignals;
    FakeTimers timers;
    MemorySettingsStore store;
};

}  // namespace lexo::testing
