#include "exam/self_assessed_exam_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/fake_prompter.h"
#include "support/fake_random.h"
#include "support/fake_sound_player.h"
#include "support/fake_speaker.h"
#include "support/fake_statistics.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using Phase = SelfAssessedExamPhase;
using testing::readBytes;
using testing::writeBytes;

// Test II with every port faked, its own settings, the shared evaluation and a program folder.
class SelfAssessedExamTest : public ::testing::Test {
protected:
    SelfAssessedExamTest() {
        settings.load();
        settings.setTestLoadedQuery([this] { return session.dictionaryLoaded(); });
        evaluation.attachTestTwo(session);
    }

    fs::path dictionary(const std::string& name, const std::vector<std::string>& lines) {
        const fs::path file = dir.path() / name;
        testing::writeDictionary(file, lines);
        return file;
    }

    fs::path open(const std::vector<std::string>& lines, const std::string& name = "slovicka.slv") {
        const fs::path file = dictionary(name, lines);
        EXPECT_TRUE(session.openDictionary(file));
        return file;
    }

    void fileOrder() { ASSERT_TRUE(settings.selectOrder(TestOrder::Sequential)); }

    std::vector<std::string> wrongQuestions() const {
        std::vector<std::string> result;
        for (std::size_t i = 0; i < evaluation.size(); ++i) result.push_back(evaluation.record(i).question);
        return result;
    }

    testing::TempDir dir;
    FakePrompter prompter;
    FakeTimers timers;
    FakeSoundPlayer player;
    FakeSpeaker speaker;
    SeededRandom random;
    GeneralSettings general;
    MemorySettingsStore store;
    TesterSettingsModel settings{TesterKind::TestTwo, store, prompter};
    StartupState startup{{}};
    EvaluationSession evaluation{prompter, dir.path()};
    FakeStatistics statistics;
    SelfAssessedExamSession session{SelfAssessedExamServices{prompter, timers, player, speaker, random, general,
                                                             settings, startup, evaluation, statistics, dir.path()}};
};

const std::vector<std::string> kThree{"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];NENÍ", "kůň;horse;[ho:s];NENÍ"};

TEST_F(SelfAssessedExamTest, FileOrderVimNevimVimEndsInTheEvaluationWithOneWrongRecord) {
    fileOrder();
    evaluation.selectAction(EvaluationAction::Save);
    open(kThree);
    EXPECT_EQ(session.view().question, "pes");
    EXPECT_EQ(session.view().total, "3");
    EXPECT_EQ(session.view().current, "1");
    EXPECT_EQ(session.view().correct, "-") << "file order keeps \"-\" until the first answer";

    session.know();
    EXPECT_EQ(session.view().question, "kočka");
    EXPECT_EQ(session.view().current, "2");
    EXPECT_EQ(session.view().correct, "1");
    EXPECT_EQ(session.view().wrong, "0");
    session.dontKnow();
    EXPECT_EQ(session.view().current, "3");
    session.know();

    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_TRUE(session.testFinished());
    EXPECT_EQ(evaluation.served(), EvaluatedTestKind::TestTwo);
    EXPECT_EQ(evaluation.labels().correct, "2");
    EXPECT_EQ(evaluation.labels().wrong, "1");
    EXPECT_EQ(evaluation.labels().success, "66,6666666666667");
    EXPECT_EQ(evaluation.labels().grade, "2");
    EXPECT_EQ(evaluation.action(), EvaluationAction::Retest) << "file order selects the retest";
    ASSERT_EQ(evaluation.size(), 1u);
    EXPECT_EQ(evaluation.record(0), (TestRecord{"cat", "kočka", "[k2t]", "NENÍ"}));
    EXPECT_EQ(evaluation.itemText(0), "kočka");
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_EQ(statistics.rows[0],
              (FakeStatistics::Row{toLowerUtf8((dir.path() / "slovicka.slv").string()), 2, 1, 3, true,
                                   TesterKind::TestTwo}));

    // More answers after the end count nothing.
    session.know();
    session.dontKnow();
    EXPECT_EQ(session.correctCount(), 2);
    EXPECT_EQ(evaluation.size(), 1u);
}

TEST_F(SelfAssessedExamTest, ForeignToCzechRecordsGoBackToTheFileInDictionaryOrder) {
    fileOrder();
    ASSERT_TRUE(settings.selectDirection(TestDirection::ForeignToCzech));
    EXPECT_EQ(session.questionLabel(), "Cizí výraz");
    open(kThree);
    EXPECT_EQ(session.view().question, "dog");
    session.dontKnow();
    EXPECT_EQ(session.view().previousAnswers, "pes") << "the answer is the Czech text";
    session.know();
    session.dontKnow();
    EXPECT_EQ(wrongQuestions(), (std::vector<std::string>{"dog", "horse"}));

    // The direction cannot change under a loaded test, so the file follows the test's.
    EXPECT_FALSE(settings.selectDirection(TestDirection::CzechToForeign));
    EXPECT_EQ(evaluation.back(), EvaluationSession::Next::ShowTestTwo);
    // Czech first, exactly as the tested dictionary holds the two lines.
    EXPECT_EQ(readBytes(dir.path() / "spatnevyrazyjedn.slv"),
              encodeWindows1250("pes;dog;[dog];NENÍ\r\nkůň;horse;[ho:s];NENÍ\r\n").value());
    EXPECT_EQ(session.phase(), Phase::Empty) << "\"Zpět\" resets Test II";
    EXPECT_EQ(evaluation.labels().correct, "1") << "Test II's results stay until its next evaluation";
}

TEST_F(SelfAssessedExamTest, RandomOrderAsksEveryRecordOnceAndCountsThePositionUp) {
    // Equal lines are separate records and each is asked.
    const std::vector<std::string> lines{"a;1;[];NENÍ", "b;2;[];NENÍ", "c;3;[];NENÍ", "c;3;[];NENÍ",
                                         "d;4;[];NENÍ"};
    open(lines);
    EXPECT_EQ(session.view().correct, "0") << "random order shows its counters at once";
    std::map<std::size_t, int> asked;
    std::vector<std::string> positions;
    int answers = 0;
    while (session.phase() == Phase::Asking) {
        ASSERT_LT(answers, 10);
        positions.push_back(session.view().current);
        ++asked[*session.currentRow()];
        if (answers % 2 == 0) session.know(); else session.dontKnow();
        ++answers;
    }
    EXPECT_EQ(answers, 5);
    EXPECT_EQ(positions, (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(asked.size(), 5u);
    for (const auto& [row, times] : asked) EXPECT_EQ(times, 1) << "row " << row;
    EXPECT_EQ(evaluation.size(), 2u);
    EXPECT_EQ(evaluation.action(), EvaluationAction::Retest);
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_EQ(statistics.rows[0].reached, 5);
    EXPECT_EQ(statistics.rows[0].correct, 3);
}

TEST_F(SelfAssessedExamTest, RandomOrderLeavesTheChosenActionOfTheEvaluation) {
    evaluation.selectAction(EvaluationAction::Print);
    open({"a;1;[];NENÍ"});
    session.dontKnow();
    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_EQ(evaluation.action(), EvaluationAction::Print);
}

struct DisplayCase {
    WrongAnswerDisplay display;
    bool know;
    bool shown;
    PreviousAnswerColour colour;
};

TEST_F(SelfAssessedExamTest, TheThreeDisplayChoicesAfterEachButtonInFileOrder) {
    fileOrder();
    const std::vector<DisplayCase> cases{
        {WrongAnswerDisplay::Show, false, true, PreviousAnswerColour::Red},
        {WrongAnswerDisplay::Show, true, false, PreviousAnswerColour::Red},  // "-", the colour stays
        {WrongAnswerDisplay::Hide, false, false, PreviousAnswerColour::Red},
        {WrongAnswerDisplay::Hide, true, false, PreviousAnswerColour::Red},
        {WrongAnswerDisplay::ShowAlways, true, true, PreviousAnswerColour::Green},
        {WrongAnswerDisplay::ShowAlways, false, true, PreviousAnswerColour::Red},
        {WrongAnswerDisplay::ShowAlways, true, true, PreviousAnswerColour::Green},
    };
    // The settings other than direction and order may change during a test.
    std::vector<std::string> lines;
    for (std::size_t i = 0; i <= cases.size(); ++i)
        lines.push_back("otázka" + std::to_string(i) + ";odpověď" + std::to_string(i) + "+jiná;[];NENÍ");
    open(lines);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const DisplayCase& c = cases[i];
        ASSERT_TRUE(settings.selectDisplay(c.display));
        const std::string question = session.view().question;
        if (c.know) session.know(); else session.dontKnow();
        SCOPED_TRACE("case " + std::to_string(i));
        if (c.shown) {
            EXPECT_EQ(session.view().previousQuestion, question);
            EXPECT_EQ(session.view().previousAnswers, "odpověď" + std::to_string(i) + " ; jiná");
        } else {
            EXPECT_EQ(session.view().previousQuestion, "-");
            EXPECT_EQ(session.view().previousAnswers, "-");
        }
        EXPECT_EQ(session.previousColour(), c.colour);
    }
}

TEST_F(SelfAssessedExamTest, RandomOrderShowsTheAnswerButNeverColoursIt) {
    ASSERT_TRUE(settings.selectDisplay(WrongAnswerDisplay::ShowAlways));
    open({"a;1;[];NENÍ", "b;2;[];NENÍ", "c;3;[];NENÍ"});
    const std::string first = session.view().question;
    session.know();
    EXPECT_EQ(session.view().previousQuestion, first);
    EXPECT_NE(session.view().previousAnswers, "-");
    session.dontKnow();
    EXPECT_NE(session.view().previousAnswers, "-");
    EXPECT_EQ(session.previousColour(), PreviousAnswerColour::Default);
}

TEST_F(SelfAssessedExamTest, AQuestionOfThreePiecesIsShownJoinedInEveryPath) {
    const std::vector<std::string> lines(3, "pes+psisko+čokl;dog;[];NENÍ");
    for (const TestOrder order : {TestOrder::Sequential, TestOrder::Random}) {
        session.windowClosed();
        ASSERT_TRUE(settings.selectOrder(order));
        open(lines);
        EXPECT_EQ(session.view().question, "pes ; psisko ; čokl") << "first question";
        session.know();
        EXPECT_EQ(session.view().question, "pes ; psisko ; čokl") << "after Vím";
        session.dontKnow();
        EXPECT_EQ(session.view().question, "pes ; psisko ; čokl") << "after Nevím";
        EXPECT_EQ(session.view().previousQuestion, "pes ; psisko ; čokl");
    }
}

TEST_F(SelfAssessedExamTest, AOneExpressionDictionaryEndsAfterItsFirstAnswer) {
    for (const TestOrder order : {TestOrder::Sequential, TestOrder::Random}) {
        for (const bool know : {true, false}) {
            session.windowClosed();
            evaluation.clearList();
            ASSERT_TRUE(settings.selectOrder(order));
            open({"pes;dog;[];NENÍ"});
            ASSERT_EQ(session.phase(), Phase::Asking);
            if (know) session.know(); else session.dontKnow();
            EXPECT_EQ(session.phase(), Phase::Evaluated);
            EXPECT_EQ(evaluation.labels().success, know ? "100" : "0");
            EXPECT_EQ(evaluation.size(), know ? 0u : 1u);
            EXPECT_EQ(statistics.rows.back().reached, 1);
            evaluation.back();
        }
    }
}

TEST_F(SelfAssessedExamTest, ClosingDuringATestLeavesABrokenOffRowAtTheQuestionOnDisplay) {
    fileOrder();
    open(kThree);
    session.windowClosed();
    EXPECT_TRUE(statistics.rows.empty()) << "a test with no answer leaves no row";

    open(kThree);
    session.know();
    session.dontKnow();
    session.windowClosed();
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_FALSE(statistics.rows[0].finished);
    EXPECT_EQ(statistics.rows[0].reached, 3);
    EXPECT_EQ(statistics.rows[0].test, TesterKind::TestTwo);
    EXPECT_TRUE(evaluation.empty()) << "breaking off empties the evaluation's list";
    EXPECT_EQ(session.view().question, "-");

    general.recordInterruptedTests = false;
    open(kThree);
    session.know();
    session.windowClosed();
    EXPECT_EQ(statistics.rows.size(), 1u);

    general.recordFinishedTests = false;
    open({"pes;dog;[];NENÍ"});
    session.know();
    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_EQ(statistics.rows.size(), 1u);
}

TEST_F(SelfAssessedExamTest, RepeatDoesNothingWhileTheTestsIndexIsZero) {
    startup.soundWorks = true;
    fileOrder();
    open(kThree);
    session.repeatPronunciation();
    EXPECT_TRUE(speaker.spoken.empty()) << "first question of file order";
    session.know();
    session.repeatPronunciation();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"cat"}) << "whatever the pronunciation setting says";

    session.windowClosed();
    speaker.spoken.clear();
    ASSERT_TRUE(settings.selectOrder(TestOrder::Random));
    open(kThree);
    session.repeatPronunciation();
    EXPECT_EQ(speaker.spoken.size(), 1u) << "first question of random order";
    session.know();
    session.repeatPronunciation();
    EXPECT_EQ(speaker.spoken.size(), 1u) << "second question of random order";
    session.know();
    session.repeatPronunciation();
    EXPECT_EQ(speaker.spoken.size(), 2u);
}

TEST_F(SelfAssessedExamTest, PronunciationWaitsForTheDelayAndSpeaksTheForeignText) {
    startup.soundWorks = true;
    fileOrder();
    ASSERT_TRUE(settings.selectDirection(TestDirection::ForeignToCzech));
    settings.setPronounce(true);
    ASSERT_TRUE(settings.setPronunciationDelayText("2"));
    open(kThree);
    EXPECT_TRUE(speaker.spoken.empty());
    EXPECT_TRUE(session.pronunciationPending());
    timers.advance(2000);
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"dog"}) << "the foreign text in either direction";

    session.know();
    ASSERT_TRUE(session.pronunciationPending());
    session.know();  // answered before its delay ran out: the next one is heard at once
    EXPECT_EQ(speaker.spoken, (std::vector<std::string>{"dog", "horse"}));
    timers.advance(5000);
    EXPECT_EQ(speaker.spoken.size(), 2u) << "the dropped delay never comes";

    session.know();
    EXPECT_FALSE(session.pronunciationPending()) << "nothing to pronounce after the end";
}

TEST_F(SelfAssessedExamTest, ASoundFileIsPlayedAndAMissingOneSilencesTheExpression) {
    startup.soundWorks = true;
    fileOrder();
    settings.setPronounce(true);
    const fs::path wav = dir.path() / "dog.wav";
    writeBytes(wav, "RIFF");
    open({"pes;dog;[];" + wav.string(), "kočka;cat;[];" + (dir.path() / "missing.wav").string()});
    EXPECT_EQ(player.played, std::vector<std::string>{wav.string()});
    session.know();
    EXPECT_EQ(player.played.size(), 1u);
    EXPECT_TRUE(speaker.spoken.empty());
}

TEST_F(SelfAssessedExamTest, ButtonsWithoutADictionarySaySoAndChangeNothing) {
    session.know();
    session.dontKnow();
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Není načtený slovník!", "Není načtený slovník!"}));
    EXPECT_TRUE(evaluation.empty());
    EXPECT_EQ(session.correctCount(), 0);
}

TEST_F(SelfAssessedExamTest, OpeningAnotherDictionaryAsksAndAnUnreadableOneBreaksNothingOff) {
    fileOrder();
    open(kThree);
    session.know();

    prompter.queueAnswer(FakePrompter::Answer::No);
    EXPECT_FALSE(session.openDictionary(dictionary("jina.slv", {"a;b;[];NENÍ"})));
    EXPECT_EQ(session.correctCount(), 1) << "No keeps the running test";

    const fs::path locked = dictionary("zamceny.slv", {"a;b;[];NENÍ"});
    fs::permissions(locked, fs::perms::none);
    if (!std::ifstream(locked)) {
        prompter.clear();
        EXPECT_FALSE(session.openDictionary(locked));
        EXPECT_EQ(prompter.count(Kind::YesNo), 0u) << "nothing is asked for a file that cannot be read";
        EXPECT_EQ(prompter.count(Kind::Error), 1u);
        EXPECT_EQ(session.correctCount(), 1);
        EXPECT_TRUE(statistics.rows.empty());
    }

    prompter.queueAnswer(FakePrompter::Answer::Yes);
    EXPECT_TRUE(session.openDictionary(dictionary("prazdny.slv", {})));
    EXPECT_EQ(prompter.texts(Kind::Information).back(), "Nejde načíst prázdný slovník!");
    EXPECT_EQ(session.phase(), Phase::Empty);
    ASSERT_EQ(statistics.rows.size(), 1u) << "the broken-off test";
    EXPECT_EQ(statistics.rows[0].reached, 2);
}

TEST_F(SelfAssessedExamTest, LastWrongExpressionsAreTestedFromTheirOwnFile) {
    session.loadLastWrongExpressions();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Slovník zatím neexistuje!"});

    fileOrder();
    open(kThree);
    session.dontKnow();
    session.know();
    session.dontKnow();
    evaluation.back();
    EXPECT_FALSE(fs::exists(dir.path() / "spatnevyrazy.slv")) << "Test I's file is not Test II's";

    session.loadLastWrongExpressions();
    EXPECT_EQ(session.total(), 2);
    EXPECT_EQ(session.view().question, "pes");
    EXPECT_EQ(session.statisticsPath(), toLowerUtf8((dir.path() / "spatnevyrazyjedn.slv").string()));

    session.know();
    prompter.queueAnswer(FakePrompter::Answer::No);
    session.loadLastWrongExpressions();
    EXPECT_EQ(prompter.texts(Kind::YesNo).back(),
              "Právě probíhá zkoušení, přejete si ho přerušit a načíst slovník s naposledy neuhádnutými výrazy?");
    EXPECT_EQ(session.correctCount(), 1);
}

TEST_F(SelfAssessedExamTest, RetestFromTheEvaluationStartsTheTickedExpressionsUnderTheSameName) {
    fileOrder();
    open(kThree);
    session.dontKnow();
    session.dontKnow();
    session.know();
    ASSERT_EQ(evaluation.size(), 2u);
    evaluation.setTicked(1, true);
    EXPECT_EQ(evaluation.choose({}), EvaluationSession::Next::ShowTestTwo);
    EXPECT_EQ(session.phase(), Phase::Asking);
    EXPECT_EQ(session.total(), 1);
    EXPECT_EQ(session.view().question, "kočka");
    EXPECT_TRUE(evaluation.empty());
    session.know();
    EXPECT_EQ(statistics.rows.back().dictionaryPath, toLowerUtf8((dir.path() / "slovicka.slv").string()));

    // Nothing ticked: the evaluation keeps serving Test II.
    evaluation.clearList();
    open(kThree);
    session.dontKnow();
    session.know();
    session.know();
    EXPECT_EQ(evaluation.choose({}), EvaluationSession::Next::Stay);
    EXPECT_EQ(evaluation.served(), EvaluatedTestKind::TestTwo);
}

TEST_F(SelfAssessedExamTest, NewTestAsksBeforeBreakingOffAndLeavesTheWindowEmpty) {
    EXPECT_TRUE(session.newTest()) << "nothing loaded: the open dialog runs";
    open(kThree);
    prompter.queueAnswer(FakePrompter::Answer::No);
    EXPECT_FALSE(session.newTest());
    EXPECT_EQ(session.phase(), Phase::Asking);
    prompter.queueAnswer(FakePrompter::Answer::Yes);
    EXPECT_FALSE(session.newTest());
    EXPECT_EQ(session.phase(), Phase::Empty);
    EXPECT_TRUE(session.newTest());
}

TEST_F(SelfAssessedExamTest, TheCommandLineDictionaryIsTakenOnceWhenShown) {
    const fs::path file = dictionary("prikaz.slv", kThree);
    startup = StartupState({file.string()});
    session.windowShown();
    EXPECT_EQ(session.total(), 3);
    session.know();
    session.windowShown();
    EXPECT_EQ(session.correctCount(), 1) << "only once";
}

}  // namespace
}  // namespace lexo
