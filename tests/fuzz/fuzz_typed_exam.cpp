// Any dictionary, any settings and any sequence of answers and commands: Test I, the
// evaluation and extended testing must never crash, and their counts must stay consistent.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "../support/fake_prompter.h"
#include "../support/fake_random.h"
#include "../support/fake_sound_player.h"
#include "../support/fake_speaker.h"
#include "../support/fake_statistics.h"
#include "../support/fake_timers.h"
#include "common/general_settings.h"
#include "app/shell.h"
#include "dictionary/dictionary_file.h"
#include "platform/settings_store.h"
#include "exam/evaluation_session.h"
#include "exam/typed_exam_session.h"
#include "exam/tester_settings.h"

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "test one: %s\n", what);
    std::abort();
}

const std::filesystem::path& programFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path dir = std::filesystem::temp_directory_path() / "lexo-fuzz-test-one";
        std::filesystem::create_directories(dir);
        return dir;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexo;
    if (size < 3) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t more = data[1];
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t split = rest.find('\0');
    const std::string_view dictionaryBytes = rest.substr(0, split);
    std::string_view script = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);

    FakePrompter prompter;
    prompter.defaultAnswer = (more & 1) != 0 ? Prompter::Answer::Yes : Prompter::Answer::No;
    FakeTimers timers;
    FakeSoundPlayer player;
    FakeSpeaker speaker;
    SeededRandom random(more);
    GeneralSettings general;
    general.upperCaseEntry = (flags & 0x80) != 0;
    general.recordInterruptedTests = (more & 2) != 0;
    MemorySettingsStore store;
    TesterSettingsModel settings(TesterKind::TestOne, store, prompter);
    settings.selectDirection((flags & 1) != 0 ? TestDirection::ForeignToCzech : TestDirection::CzechToForeign);
    settings.selectOrder((flags & 2) != 0 ? TestOrder::Sequential : TestOrder::Random);
    settings.setWaitForCorrect((flags & 4) != 0);
    settings.selectDisplay((flags & 8) != 0 ? WrongAnswerDisplay::Hide : WrongAnswerDisplay::Show);
    settings.setExtendedTesting((flags & 16) != 0);
    settings.setPronounce((flags & 32) != 0);
    settings.setPronunciationDelayText(std::string(1, static_cast<char>('0' + (more >> 4) % 10)));
    StartupState startup({});
    startup.soundWorks = (flags & 64) != 0;
    EvaluationSession evaluation(prompter, programFolder());
    FakeStatistics statistics;
    TypedExamSession session(TypedExamServices{prompter, timers, player, speaker, random, general, settings, startup,
                                           evaluation, statistics, programFolder()});
    evaluation.attachTestOne(session);

    DictionaryLoad load = parseDictionary(std::string(dictionaryBytes));
    if (load.status != LoadStatus::Loaded) return 0;
    const int total = static_cast<int>(load.table.size());
    session.startRetest(std::move(load.table));

    // Commands are lines; a line starting with a control byte is a command, anything
    // else an answer typed into whichever box is in use.
    while (!script.empty()) {
        const std::size_t end = script.find('\n');
        const std::string_view line = script.substr(0, end);
        script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
        const char command = line.empty() ? '\0' : line[0];
        switch (command) {
        case '\x01': session.enter(session.answerSlots().slot(0)); break;
        case '\x02': session.repeatPronunciation(); break;
        case '\x03': timers.advance(1000 * (line.size() % 10)); break;
        case '\x04': session.newTest(); break;
        case '\x05': session.returnFromExtendedTesting(); break;
        case '\x06': session.extendedTesting().pressButton(); break;
        case '\x07': evaluation.tickAll(); break;
        case '\x08': evaluation.selectAction(static_cast<EvaluationAction>(line.size() % 3)); break;
        case '\x0b': evaluation.choose([] { return std::optional<std::filesystem::path>(); }); break;
        case '\x0c': evaluation.back(); break;
        case '\x0e': session.windowClosed(); break;
        default:
            if (session.phase() == TypedExamPhase::ExtendedPractice) {
                session.extendedTesting().enter(line);
            } else {
                session.enter(session.applyEntryCase(line));
            }
        }
        if (session.correctCount() < 0 || session.wrongCount() < 0) broken("negative count");
        if (session.dictionaryLoaded() && session.total() > total) broken("total beyond the dictionary");
        if (session.position() > session.total()) broken("position beyond the total");
        if (session.wrongRecordCount() != session.wrongCount() && session.dictionaryLoaded())
            broken("wrong answers and wrong records differ");
        if (session.correctCount() + session.wrongCount() > session.position() && session.dictionaryLoaded())
            broken("more answers than expressions reached");
        for (std::size_t i = 0; i < evaluation.size(); ++i) (void)evaluation.record(i);
        (void)evaluation.printLines();
    }
    return 0;
}
