#include "exam/typed_exam_session.h"

#include <gtest/gtest.h>

#include <fstream>

#include <algorithm>

#include "common/speech.h"
#include "dictionary/dictionary_file.h"
#include "typed_exam_fixture.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using Phase = TypedExamPhase;
using TypedExamSessionTest = testing::TypedExamFixture;
using testing::writeBytes;

TEST_F(TypedExamSessionTest, TableIsFilledByTheDirectionAnswerFirst) {
    useFileOrder();
    openLines({"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];NENÍ"});
    EXPECT_EQ(session.table().answer(0), "dog");
    EXPECT_EQ(session.table().question(0), "pes");
    EXPECT_EQ(session.view().question, "pes");
    EXPECT_EQ(session.view().dictionaryName, "slovicka.slv");
    EXPECT_EQ(session.view().total, "2");
    EXPECT_EQ(session.view().current, "1");

    session.windowClosed();
    settings.selectDirection(TestDirection::ForeignToCzech);
    EXPECT_EQ(session.questionLabel(), "Cizí výraz");
    openLines({"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];NENÍ"});
    EXPECT_EQ(session.table().answer(1), "kočka");
    EXPECT_EQ(session.view().question, "dog");
    session.enter("pes");
    EXPECT_EQ(session.correctCount(), 1);
    EXPECT_EQ(session.view().question, "cat");
}

TEST_F(TypedExamSessionTest, JudgingIsExactAgainstEveryTranslation) {
    useFileOrder();
    settings.setExtendedTesting(false);
    const std::vector<std::string> typed{"dog", "hound", "dog+hound", "dog ", "", "Dog", "cur"};
    openLines(std::vector<std::string>(typed.size(), "pes;dog+hound+cur;[];NENÍ"));
    std::vector<bool> judged;
    for (const std::string& answer : typed) {
        const int before = session.correctCount();
        session.enter(answer);
        judged.push_back(session.correctCount() > before);
    }
    EXPECT_EQ(judged, (std::vector<bool>{true, true, false, false, false, false, true}));
    EXPECT_EQ(session.wrongCount(), 4);
}

TEST_F(TypedExamSessionTest, SpacesAroundAPlusBelongToTheTranslations) {
    useFileOrder();
    settings.setExtendedTesting(false);
    openLines({"pes;dog + hound;[];NENÍ", "pes;dog + hound;[];NENÍ", "kočka;cat+;[];NENÍ", "x;one;[];NENÍ"});
    session.enter("dog");
    EXPECT_EQ(session.wrongCount(), 1);
    session.enter(" hound");
    EXPECT_EQ(session.correctCount(), 1);
    session.enter("");  // "cat+" has an empty second translation
    EXPECT_EQ(session.correctCount(), 2);
    session.enter("");
    EXPECT_EQ(session.wrongCount(), 2) << "an empty answer to a single translation is wrong";
}

TEST_F(TypedExamSessionTest, CapitalsComeOnlyFromUpperCaseEntry) {
    useFileOrder();
    openLines({"pes;dog;[];NENÍ", "kůň;HORSE;[];NENÍ", "žluťoučký;ŽLUŤOUČKÝ;[];NENÍ"});
    session.enter(session.applyEntryCase("DOG"));
    EXPECT_EQ(session.wrongCount(), 1) << "no comparison without case";
    general.upperCaseEntry = true;
    const std::string typed = session.applyEntryCase("horse");
    EXPECT_EQ(typed, "HORSE");
    session.enter(typed);
    session.enter(session.applyEntryCase("žluťoučký"));
    EXPECT_EQ(session.correctCount(), 2);
}

TEST_F(TypedExamSessionTest, SeveralTranslationsAreShownJoined) {
    useFileOrder();
    settings.setExtendedTesting(false);
    openLines({"pes+čokl+hafan;dog;[];NENÍ", "kočka;cat+puss;[];NENÍ"});
    EXPECT_EQ(session.view().question, "pes ; čokl ; hafan");
    session.enter("x");
    EXPECT_EQ(session.view().previousQuestion, "pes ; čokl ; hafan");
    EXPECT_EQ(session.view().previousAnswers, "dog");
    session.enter("y");
    EXPECT_EQ(session.view().previousAnswers, "cat ; puss");
}

TEST_F(TypedExamSessionTest, WrongAnswerMovesOnAndLeavesTheCorrectionOnDisplay) {
    useFileOrder();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
    session.enter("dgo");
    const TypedExamView& v = session.view();
    EXPECT_EQ(v.question, "kočka") << "the next expression at once";
    EXPECT_EQ(v.current, "2");
    EXPECT_EQ(v.previousQuestion, "pes");
    EXPECT_EQ(v.previousAnswers, "dog");
    EXPECT_EQ(v.answer, "dgo");
    EXPECT_TRUE(v.answerSelected);
    EXPECT_EQ(v.wrong, "1");
    EXPECT_EQ(v.correct, "-") << "the correct count shows once a correct answer came";
    ASSERT_EQ(evaluation.size(), 1u);
    EXPECT_EQ(evaluation.record(0), (TestRecord{"dog", "pes", "[]", "NENÍ"}));
    EXPECT_EQ(evaluation.itemText(0), "pes");

    session.enter("cat");
    EXPECT_EQ(v.correct, "1");
    EXPECT_EQ(v.answer, "");
    EXPECT_FALSE(v.answerSelected);
    EXPECT_EQ(v.previousQuestion, "-");
    EXPECT_EQ(v.previousAnswers, "-");

    settings.selectDisplay(WrongAnswerDisplay::Hide);
    session.enter("kun");
    EXPECT_EQ(v.previousQuestion, "-");
    EXPECT_EQ(v.previousAnswers, "-");
}

TEST_F(TypedExamSessionTest, WaitingForTheCorrectAnswerCountsTheWrongOneOnce) {
    useFileOrder();
    settings.setWaitForCorrect(true);
    settings.setExtendedTesting(false);
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat;[];NENÍ"});
    session.enter("dgo");
    EXPECT_EQ(session.phase(), Phase::WaitingForCorrect);
    EXPECT_EQ(session.view().question, "pes") << "stays on the expression";
    EXPECT_EQ(session.view().previousAnswers, "dog ; hound");
    session.enter("dogg");
    EXPECT_EQ(session.wrongCount(), 1) << "a second wrong try is not counted";
    EXPECT_EQ(session.view().answer, "dogg");
    EXPECT_EQ(evaluation.size(), 1u);
    session.enter("hound");  // any of the translations
    EXPECT_EQ(session.phase(), Phase::Asking);
    EXPECT_EQ(session.view().question, "kočka");
    EXPECT_EQ(session.view().answer, "");
    EXPECT_EQ(session.view().previousAnswers, "-");
    EXPECT_EQ(session.correctCount(), 0);
    EXPECT_EQ(session.wrongCount(), 1);
}

TEST_F(TypedExamSessionTest, LastAnswerWrongShowsTheEndMessageUntilEnter) {
    useFileOrder();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    answerRight();
    session.enter("kat");
    EXPECT_EQ(session.phase(), Phase::EndMessage);
    EXPECT_EQ(session.view().answer, kEndOfTestMessage);
    EXPECT_TRUE(session.view().answerReadOnly);
    EXPECT_EQ(session.view().question, "");
    EXPECT_EQ(session.view().previousAnswers, "cat") << "the correction stays readable";
    EXPECT_FALSE(session.testFinished());
    session.repeatPronunciation();
    EXPECT_TRUE(speaker.spoken.empty()) << "nothing is asked at the end message";
    session.enter(std::string(kEndOfTestMessage));
    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_TRUE(session.testFinished());
    EXPECT_FALSE(session.view().answerReadOnly);
    EXPECT_EQ(evaluation.labels().correct, "1");
    EXPECT_EQ(evaluation.labels().wrong, "1");
    EXPECT_EQ(evaluation.labels().success, "50");
    EXPECT_EQ(evaluation.labels().grade, "3");
}

TEST_F(TypedExamSessionTest, LastAnswerCorrectEvaluatesAtOnce) {
    useFileOrder();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
    evaluation.selectAction(EvaluationAction::Print);
    answerRight();
    answerWrong();
    answerRight();
    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_EQ(evaluation.labels().success, "66,6666666666667");
    EXPECT_EQ(evaluation.labels().grade, "2");
    EXPECT_EQ(evaluation.action(), EvaluationAction::Retest) << "every end selects the retest";
    EXPECT_EQ(evaluation.served(), EvaluatedTestKind::TestOne);
}

TEST_F(TypedExamSessionTest, WaitingThroughTheLastExpressionStillEndsWithTheMessage) {
    useFileOrder();
    settings.setWaitForCorrect(true);
    openLines({"pes;dog;[];NENÍ"});
    answerWrong();
    answerRight();
    EXPECT_EQ(session.phase(), Phase::EndMessage);
    session.enter("");
    EXPECT_EQ(evaluation.labels().success, "0");
    EXPECT_EQ(evaluation.labels().grade, "5");
    EXPECT_EQ(evaluation.labels().gradeColour, GradeColour::Red);
}

TEST_F(TypedExamSessionTest, FourOfFiveIsEightyAndAOne) {
    useFileOrder();
    openLines(std::vector<std::string>(5, "pes;dog;[];NENÍ"));
    answerWrong();
    for (int i = 0; i < 4; ++i) answerRight();
    EXPECT_EQ(evaluation.labels().success, "80");
    EXPECT_EQ(evaluation.labels().grade, "1");
    EXPECT_EQ(evaluation.labels().gradeColour, GradeColour::Green);

    general.gradeThresholds = {90, 70, 50, 20};  // the thresholds in effect now, stored or not
    evaluation.back();
    openLines(std::vector<std::string>(5, "pes;dog;[];NENÍ"));
    answerWrong();
    for (int i = 0; i < 4; ++i) answerRight();
    EXPECT_EQ(evaluation.labels().grade, "2");
}

TEST_F(TypedExamSessionTest, FinishedTestLeavesOneRowWithTheTotal) {
    useFileOrder();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"}, "Zvirata.slv");
    answerRight();
    answerWrong();
    answerRight();
    ASSERT_EQ(statistics.rows.size(), 1u);
    const FakeStatistics::Row& row = statistics.rows[0];
    EXPECT_EQ(row.correct, 2);
    EXPECT_EQ(row.wrong, 1);
    EXPECT_EQ(row.reached, 3);
    EXPECT_TRUE(row.finished);
    EXPECT_EQ(row.test, TesterKind::TestOne);
    EXPECT_EQ(fs::path(row.dictionaryPath).filename(), "zvirata.slv") << "named in lower case";

    general.recordFinishedTests = false;
    evaluation.back();
    openLines({"pes;dog;[];NENÍ"});
    answerRight();
    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_EQ(statistics.rows.size(), 1u);
}

TEST_F(TypedExamSessionTest, ClosingAfterTwoAnswersRecordsTheExpressionOnDisplay) {
    useFileOrder();
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ", "c;3;[];NENÍ", "d;4;[];NENÍ"});
    answerRight();
    answerWrong();
    session.windowClosed();
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_EQ(statistics.rows[0].reached, 3) << "the third, unanswered expression";
    EXPECT_FALSE(statistics.rows[0].finished);
    EXPECT_EQ(session.phase(), Phase::Empty);
    EXPECT_TRUE(evaluation.empty()) << "a broken-off test leaves no wrong answers behind";
    EXPECT_EQ(session.view().total, "-");

    general.recordInterruptedTests = false;
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"});
    answerRight();
    session.windowClosed();
    EXPECT_EQ(statistics.rows.size(), 1u);
}

TEST_F(TypedExamSessionTest, ATestWithoutAJudgedAnswerLeavesNoRow) {
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"});
    session.windowClosed();
    settings.setWaitForCorrect(true);
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"});
    EXPECT_FALSE(session.newTest());
    EXPECT_TRUE(statistics.rows.empty());
}

TEST_F(TypedExamSessionTest, NewTestAsksBeforeBreakingOff) {
    EXPECT_TRUE(session.newTest()) << "nothing loaded: the open dialog comes";
    EXPECT_TRUE(prompter.messages.empty());
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"});
    answerWrong();
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_FALSE(session.newTest());
    EXPECT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>{std::string(kInterruptTestQuestion)});
    EXPECT_TRUE(session.dictionaryLoaded());
    EXPECT_EQ(evaluation.size(), 1u);
    EXPECT_FALSE(session.newTest());  // Yes
    EXPECT_FALSE(session.dictionaryLoaded());
    EXPECT_TRUE(evaluation.empty());
    EXPECT_EQ(statistics.rows.size(), 1u);
    EXPECT_TRUE(session.newTest()) << "the next press opens the dialog";
}

TEST_F(TypedExamSessionTest, OpeningAnotherDictionaryDuringATestAsksFirst) {
    const fs::path first = openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"});
    const fs::path second = dictionary("druhy.slv", {"c;3;[];NENÍ"});
    answerWrong();
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_FALSE(session.openDictionary(second));
    EXPECT_EQ(session.total(), 2);
    EXPECT_TRUE(session.openDictionary(second));
    EXPECT_EQ(session.total(), 1);
    EXPECT_EQ(session.view().dictionaryName, "druhy.slv");
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_EQ(fs::path(statistics.rows[0].dictionaryPath).filename(), "slovicka.slv");
}

TEST_F(TypedExamSessionTest, EmptyAndMissingDictionaries) {
    session.enter("pes");  // Enter with nothing loaded is ignored
    EXPECT_EQ(session.phase(), Phase::Empty);
    const fs::path empty = dictionary("prazdny.slv", {"", ""});
    EXPECT_TRUE(session.openDictionary(empty));
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Nejde načíst prázdný slovník!"});
    EXPECT_FALSE(session.dictionaryLoaded());
    prompter.clear();
    EXPECT_FALSE(session.openDictionary(dir / "neni.slv"));
    EXPECT_TRUE(prompter.messages.empty()) << "the recent-files menu reports a missing file";
}

// A dictionary that is there but cannot be read is said so, and the running test goes
// on: nothing is asked, broken off or recorded.
TEST_F(TypedExamSessionTest, AnUnreadableDictionaryLeavesTheRunningTestAlone) {
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"});
    answerWrong();
    // A folder chosen as a dictionary, and a locked file where the user is not root.
    std::vector<fs::path> unreadables{dir / "slozka.slv"};
    fs::create_directories(unreadables[0]);
    const fs::path locked = dictionary("zamceny.slv", {"c;3;[];NENÍ"});
    fs::permissions(locked, fs::perms::none);
    if (!std::ifstream(locked).good()) unreadables.push_back(locked);

    for (const fs::path& unreadable : unreadables) {
        prompter.clear();
        EXPECT_FALSE(session.openDictionary(unreadable));
        EXPECT_EQ(prompter.count(Kind::YesNo), 0u);
        ASSERT_EQ(prompter.count(Kind::Error), 1u) << unreadable;
        EXPECT_NE(prompter.texts(Kind::Error)[0].find("nelze otevřít"), std::string::npos);
        EXPECT_NE(prompter.texts(Kind::Error)[0].find(unreadable.string()), std::string::npos);
    }
    // The same for the last wrong expressions: read before the question is asked.
    fs::create_directories(dir / "spatnevyrazy.slv");
    prompter.clear();
    session.loadLastWrongExpressions();
    EXPECT_EQ(prompter.count(Kind::YesNo), 0u);
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_TRUE(session.dictionaryLoaded());
    EXPECT_EQ(session.total(), 2);
    EXPECT_EQ(evaluation.size(), 1u) << "the wrong answer is still there";
    EXPECT_TRUE(statistics.rows.empty()) << "nothing recorded";
    answerRight();
    EXPECT_EQ(session.correctCount(), 1) << "the test goes on";
}

TEST_F(TypedExamSessionTest, ShortLinesAndMoreThanFourTranslations) {
    useFileOrder();
    settings.setExtendedTesting(true);
    openLines({"pes", "a+b+c+d+e;x;[];NENÍ", "y;a+b+c+d+e"});
    EXPECT_EQ(session.view().question, "pes");
    session.enter("");  // a line without a foreign text expects the empty one
    EXPECT_EQ(session.correctCount(), 1);
    EXPECT_EQ(session.view().question, "a ; b ; c ; d ; e");
    answerRight();
    session.enter("e");
    EXPECT_EQ(session.correctCount(), 3) << "the fifth translation counts";
    EXPECT_EQ(prompter.count(Kind::YesNo), 0u) << "practice is offered for two to four only";
}

// --- random order

TEST_F(TypedExamSessionTest, RandomOrderAsksEachRecordOnceCountingOneTwoThree) {
    random.picks = {1, 1, 0};
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ", "c;3;[];NENÍ"});
    std::vector<std::string> asked;
    std::vector<std::string> positions;
    while (session.phase() == Phase::Asking) {
        asked.push_back(session.view().question);
        positions.push_back(session.view().current);
        answerRight();
    }
    EXPECT_EQ(positions, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(random.bounds, (std::vector<std::uint64_t>{3, 2})) << "each pick among the records still waiting";
    EXPECT_EQ(session.phase(), Phase::Evaluated);
    EXPECT_EQ(statistics.rows.at(0).reached, 3);
}

// --- pronunciation

TEST_F(TypedExamSessionTest, TheDelayedPronunciationIsDroppedByAQuickAnswer) {
    useFileOrder();
    settings.setPronounce(true);
    settings.setPronunciationDelayText("3");
    startup.soundWorks = true;
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ", "myš;mouse;[];NENÍ"});
    EXPECT_TRUE(speaker.spoken.empty());
    EXPECT_TRUE(session.pronunciationPending());
    timers.advance(1000);
    answerRight();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"cat"}) << "the next expression at once, without delay";
    EXPECT_FALSE(session.pronunciationPending());
    timers.advance(5000);
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"cat"}) << "the pending \"dog\" never comes";

    answerRight();
    EXPECT_TRUE(session.pronunciationPending()) << "the one after that waits again";
    timers.advance(2999);
    EXPECT_EQ(speaker.spoken.size(), 1u);
    timers.advance(1);
    EXPECT_EQ(speaker.spoken, (std::vector<std::string>{"cat", "horse"}));
}

TEST_F(TypedExamSessionTest, ThePronunciationTellsTheForeignTextInBothDirections) {
    useFileOrder();
    settings.setPronounce(true);
    startup.soundWorks = true;
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"dog"}) << "no delay: at once";
    session.windowClosed();
    settings.selectDirection(TestDirection::ForeignToCzech);
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    EXPECT_EQ(speaker.spoken.back(), "dog");
    EXPECT_EQ(session.view().question, "dog");
}

TEST_F(TypedExamSessionTest, OwnSoundFilesPlayAndMissingOnesStaySilent) {
    useFileOrder();
    settings.setPronounce(true);
    startup.soundWorks = true;
    const fs::path wav = dir / "zvuky" / "dog.wav";
    writeBytes(wav, "RIFF");
    openLines({"pes;dog;[];" + wav.string(), "kočka;cat;[];" + (dir / "nic.wav").string(), "kůň;horse;[];NENÍ"});
    EXPECT_EQ(player.played, std::vector<std::string>{wav.string()});
    answerRight();
    EXPECT_EQ(player.played.size(), 1u);
    EXPECT_TRUE(speaker.spoken.empty()) << "a missing sound file is not replaced by speech";
    answerRight();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"horse"});
    startup.soundWorks = false;
    session.repeatPronunciation();
    EXPECT_EQ(speaker.spoken.size(), 1u) << "speech only while sound works";
}

TEST_F(TypedExamSessionTest, SoundsTravelInTheDictionarysOwnFolder) {
    useFileOrder();
    settings.setPronounce(true);
    writeBytes(dir / "slovicka" / "dog.wav", "RIFF");
    openLines({"pes;dog;[];C:\\Lexo\\slovicka\\dog.wav"});
    EXPECT_EQ(player.played, std::vector<std::string>{(dir / "slovicka" / "dog.wav").string()});
}

TEST_F(TypedExamSessionTest, RepeatPronouncesAtOnceWhateverTheSettings) {
    useFileOrder();
    startup.soundWorks = true;
    session.repeatPronunciation();
    EXPECT_TRUE(speaker.spoken.empty()) << "before the first question";
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    EXPECT_TRUE(speaker.spoken.empty()) << "pronunciation is off";
    session.repeatPronunciation();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"dog"});
}

TEST_F(TypedExamSessionTest, NoPronunciationAfterTheTestEnded) {
    useFileOrder();
    settings.setPronounce(true);
    settings.setPronunciationDelayText("2");
    startup.soundWorks = true;
    openLines({"pes;dog;[];NENÍ"});
    answerWrong();
    EXPECT_EQ(session.phase(), Phase::EndMessage);
    timers.advance(10000);
    EXPECT_TRUE(speaker.spoken.empty());
}

TEST_F(TypedExamSessionTest, RefusedVoiceSilencesTheTestUntilAVoiceIsAccepted) {
    useFileOrder();
    settings.setPronounce(true);
    startup.soundWorks = true;
    speaker.refuseVoice = true;
    FakePrompter settingsPrompter;
    applyVoiceAndSpeed(speaker, 1, 170, settingsPrompter);
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
    session.repeatPronunciation();
    answerRight();
    EXPECT_TRUE(speaker.spoken.empty()) << "not in the engine's default voice either";

    speaker.refuseVoice = false;
    applyVoiceAndSpeed(speaker, 2, 170, settingsPrompter);
    answerRight();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"horse"});
}

// --- extended testing

TEST_F(TypedExamSessionTest, ExtendedTestingIsOfferedAndLeavesTheCountsAlone) {
    useFileOrder();
    openLines({"pes;dog+hound+cur;[];NENÍ", "kočka;cat;[];NENÍ"});
    session.enter("hound");
    EXPECT_EQ(prompter.texts(Kind::YesNo),
              std::vector<std::string>{"Právě jste uhádl 1 ze 3 správných odpovědí, přejete si cvičně prozkoušet "
                                       "ostatní odpovědi? Pokud ano klikněte na tlačítko \"Ano\", pokud chcete "
                                       "pokračovat ve zkoušení klikněte na tlačítko \"ne\""});
    EXPECT_EQ(session.phase(), Phase::ExtendedPractice);
    const ExtendedTestingSession& practice = session.extendedTesting();
    EXPECT_EQ(practice.question(), "pes");
    EXPECT_EQ(practice.count(), 3u);
    EXPECT_EQ(practice.foundTranslation(0), "hound");
    session.enter("dog");
    EXPECT_EQ(session.correctCount(), 1) << "the test waits for the practice";
    session.extendedTesting().enter("dog");
    session.returnFromExtendedTesting();
    EXPECT_EQ(session.phase(), Phase::Asking);
    EXPECT_EQ(session.view().question, "kočka");
    EXPECT_EQ(session.correctCount(), 1);
    EXPECT_EQ(session.wrongCount(), 0);
    EXPECT_FALSE(session.extendedTesting().prepared());
}

TEST_F(TypedExamSessionTest, DecliningTheOfferGoesOn) {
    useFileOrder();
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat;[];NENÍ"});
    prompter.queueAnswer(Prompter::Answer::No);
    session.enter("dog");
    EXPECT_EQ(session.phase(), Phase::Asking);
    EXPECT_EQ(session.view().question, "kočka");
    answerRight();
    EXPECT_EQ(prompter.count(Kind::YesNo), 1u) << "a single translation brings no offer";
}

TEST_F(TypedExamSessionTest, AnOfferAlwaysConcernsTheExpressionJustAnswered) {
    useFileOrder();
    settings.setExtendedTesting(false);
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
    session.enter("dog");
    settings.setExtendedTesting(true);
    session.enter("cat");
    EXPECT_EQ(prompter.count(Kind::YesNo), 0u);
    EXPECT_FALSE(session.hasSeveralAnswers());
}

TEST_F(TypedExamSessionTest, AWrongAnswerBringsNoOffer) {
    useFileOrder();
    settings.setWaitForCorrect(true);
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat;[];NENÍ"});
    session.enter("x");
    session.enter("dog");
    EXPECT_EQ(prompter.count(Kind::YesNo), 0u);
    EXPECT_EQ(session.view().question, "kočka");
}

// --- the ways in

TEST_F(TypedExamSessionTest, LastWrongExpressionsAreLoadedUnderTheirOwnName) {
    session.loadLastWrongExpressions();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Slovník zatím neexistuje!"});
    prompter.clear();

    useFileOrder();
    openLines({"a;1;[];NENÍ", "b;2;[];NENÍ"}, "zvirata.slv");
    dictionary("spatnevyrazy.slv", {"kočka;cat;[];NENÍ"});
    prompter.queueAnswer(Prompter::Answer::No);
    session.loadLastWrongExpressions();
    EXPECT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>{std::string(kInterruptForLastWrongQuestion)});
    EXPECT_EQ(session.total(), 2);
    session.loadLastWrongExpressions();
    EXPECT_EQ(session.total(), 1);
    EXPECT_EQ(session.view().question, "kočka");
    EXPECT_EQ(session.view().dictionaryName, "zvirata.slv") << "the name label keeps the last opened dictionary";
    answerRight();
    EXPECT_EQ(fs::path(statistics.rows.at(0).dictionaryPath).filename(), "spatnevyrazy.slv");
}

// Sounds found only in the dictionary's own sound folder still play when the last wrong
// expressions are tested from the program folder.
TEST_F(TypedExamSessionTest, LastWrongExpressionsKeepTheirSounds) {
    useFileOrder();
    settings.setPronounce(true);
    const fs::path dog = dir / "slovniky" / "zvirata" / "dog.wav";
    const fs::path cat = dir / "zvuky" / "cat.wav";
    writeBytes(dog, "RIFF");
    writeBytes(cat, "RIFF");
    // Written on another computer, and by full path here.
    EXPECT_TRUE(session.openDictionary(dictionary("slovniky/zvirata.slv", {"pes;dog;[];C:\\Lexo\\zvirata\\dog.wav",
                                                                           "kočka;cat;[];" + cat.string(),
                                                                           "kůň;horse;[];NENÍ"})));
    answerWrong();
    answerWrong();
    answerWrong();
    session.enter(std::string(kEndOfTestMessage));
    ASSERT_TRUE(session.testFinished());
    ASSERT_TRUE(evaluation.writeWrongExpressions());

    const DictionaryLoad written = loadDictionary(dir / "spatnevyrazy.slv");
    ASSERT_EQ(written.status, LoadStatus::Loaded);
    ASSERT_EQ(written.table.size(), 3u);
    EXPECT_EQ(written.table.sound(0), dog.string());
    EXPECT_EQ(written.table.sound(1), cat.string());
    EXPECT_EQ(written.table.sound(2), "NENÍ");

    player.played.clear();
    session.loadLastWrongExpressions();
    ASSERT_EQ(session.total(), 3);
    EXPECT_EQ(player.played, std::vector<std::string>{dog.string()});
}

TEST_F(TypedExamSessionTest, AnEmptyLastWrongFileDoesNotExistYet) {
    dictionary("spatnevyrazy.slv", {});
    session.loadLastWrongExpressions();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Slovník zatím neexistuje!"});
    EXPECT_FALSE(session.dictionaryLoaded());
}

TEST_F(TypedExamSessionTest, CommandLineDictionaryIsTakenOnce) {
    useFileOrder();
    dictionary("z_prikazove_radky.slv", {"pes;dog;[];NENÍ"});
    startup = StartupState({"z_prikazove_radky.slv"});
    session.windowShown();
    EXPECT_EQ(session.total(), 1) << "a relative name is found in the program folder";
    EXPECT_EQ(session.view().dictionaryName, "") << "the name label shows the dialog's dictionary";
    EXPECT_FALSE(startup.openFromCommandLine());
    answerRight();
    EXPECT_EQ(fs::path(statistics.rows.at(0).dictionaryPath).filename(), "z_prikazove_radky.slv");
    session.resetTest();
    session.windowShown();
    EXPECT_FALSE(session.dictionaryLoaded());
}

TEST_F(TypedExamSessionTest, CommandLineTakesAbsolutePathsAndReportsWhatCannotBeRead) {
    const fs::path file = dictionary("jinde.slv", {"pes;dog;[];NENÍ"});
    startup = StartupState({file.string()});
    session.windowShown();
    EXPECT_TRUE(session.dictionaryLoaded());
    session.windowClosed();

    startup = StartupState({(dir / "neni.slv").string()});
    session.windowShown();
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
    dictionary("prazdny.slv", {});
    startup = StartupState({(dir / "prazdny.slv").string()});
    session.windowShown();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Nejde načíst prázdný slovník!"});
    EXPECT_FALSE(session.dictionaryLoaded());
}

}  // namespace
}  // namespace lexo
