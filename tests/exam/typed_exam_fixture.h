#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/general_settings.h"
#include "app/shell.h"
#include "text/text_codec.h"
#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/fake_random.h"
#include "support/fake_sound_player.h"
#include "support/fake_speaker.h"
#include "support/fake_statistics.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"
#include "exam/evaluation_session.h"
#include "exam/typed_exam_session.h"
#include "exam/tester_settings.h"

namespace lexo::testing {

// Test I with every port faked, its settings, the shared evaluation and a program folder.
class TypedExamFixture : public ::testing::Test {
protected:
    TypedExamFixture() {
        settings.load();
        settings.setTestLoadedQuery([this] { return session.dictionaryLoaded(); });
        evaluation.attachTestOne(session);
    }

    // A dictionary file in the temporary folder; lines are UTF-8 here and stored in
    // Windows-1250, as the Windows version wrote them.
    std::filesystem::path dictionary(const std::string& name, const std::vector<std::string>& lines) {
        const std::filesystem::path file = dir / name;
        if (!testing::writeDictionary(file, lines)) ADD_FAILURE() << "not a Windows-1250 text: " << file;
        return file;
    }

    std::filesystem::path openLines(const std::vector<std::string>& lines, const std::string& name = "slovicka.slv") {
        const std::filesystem::path file = dictionary(name, lines);
        EXPECT_TRUE(session.openDictionary(file));
        return file;
    }

    void useFileOrder() { settings.selectOrder(TestOrder::Sequential); }

    // The first translation of the expression being asked.
    std::string rightAnswer() const { return std::string(session.answerSlots().slot(0)); }
    void answerRight() { session.enter(rightAnswer()); }
    void answerWrong() { session.enter("?"); }

    TempDir dir;
    FakePrompter prompter;
    FakeTimers timers;
    FakeSoundPlayer player;
    FakeSpeaker speaker;
    ScriptedRandom random;
    GeneralSettings general;
    MemorySettingsStore store;
    TesterSettingsModel settings{TesterKind::TestOne, store, prompter};
    StartupState startup{{}};
    EvaluationSession evaluation{prompter, dir.path()};
    FakeStatistics statistics;
    TypedExamSession session{TypedExamServices{prompter, timers, player, speaker, random, general, settings, startup,
                                           evaluation, statistics, dir.path()}};
};

}  // namespace lexo::testing
