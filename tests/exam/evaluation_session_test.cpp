#include "exam/evaluation_session.h"

#include <gtest/gtest.h>

#include "typed_exam_fixture.h"
#include "support/fake_evaluated_test.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using Next = EvaluationSession::Next;
using testing::readBytes;

class EvaluationTest : public testing::TypedExamFixture {
protected:
    const std::vector<std::string> lines{"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];/zvuky/cat.wav",
                                         "kůň;horse+steed;[h0:s];NENÍ"};

    // Runs Test I over `lines` in file order: the answers at `wrong` positions are wrong.
    void runTest(const std::vector<bool>& wrong) {
        useFileOrder();
        settings.setExtendedTesting(false);
        openLines(lines);
        for (const bool w : wrong) w ? answerWrong() : answerRight();
        if (session.phase() == TypedExamPhase::EndMessage) session.enter("");
        ASSERT_EQ(session.phase(), TypedExamPhase::Evaluated);
    }

    std::string expectedFile(const std::vector<std::size_t>& rows) const {
        std::string text;
        for (const std::size_t row : rows) text += lines[row] + "\r\n";
        return *encodeWindows1250(text);
    }

    fs::path wrongFile() const { return dir / "spatnevyrazy.slv"; }
};

TEST_F(EvaluationTest, WrongExpressionsAreWrittenBackInDictionaryOrderInBothDirections) {
    settings.selectDirection(TestDirection::ForeignToCzech);
    runTest({true, false, true});
    ASSERT_EQ(evaluation.size(), 2u);
    EXPECT_EQ(evaluation.itemText(0), "dog") << "the list shows the question";
    EXPECT_EQ(evaluation.back(), Next::ShowTestOne);
    EXPECT_EQ(readBytes(wrongFile()), expectedFile({0, 2}));

    settings.selectDirection(TestDirection::CzechToForeign);
    runTest({true, false, true});
    EXPECT_EQ(evaluation.itemText(0), "pes");
    evaluation.back();
    EXPECT_EQ(readBytes(wrongFile()), expectedFile({0, 2})) << "the same file from either direction";
}

TEST_F(EvaluationTest, ATestWithoutWrongAnswersKeepsTheLastFile) {
    runTest({false, true, false});
    evaluation.back();
    const std::string before = readBytes(wrongFile());
    ASSERT_EQ(before, expectedFile({1}));
    runTest({false, false, false});
    EXPECT_EQ(evaluation.back(), Next::ShowTestOne);
    EXPECT_EQ(readBytes(wrongFile()), before);
}

TEST_F(EvaluationTest, BackResetsTestOneAndTheResultsAndRunsOnlyOnce) {
    runTest({true, false, false});
    EXPECT_EQ(evaluation.labels().success, "66,6666666666667");
    EXPECT_EQ(evaluation.back(), Next::ShowTestOne);
    EXPECT_EQ(evaluation.labels().success, "-");
    EXPECT_EQ(evaluation.labels().grade, "-");
    EXPECT_TRUE(evaluation.empty());
    EXPECT_EQ(session.phase(), TypedExamPhase::Empty);
    EXPECT_FALSE(session.testFinished());
    EXPECT_EQ(evaluation.served(), EvaluatedTestKind::None);
    // Closing the window after "Zpět" runs the back action again: it finds nothing to serve.
    fs::remove(wrongFile());
    EXPECT_EQ(evaluation.back(), Next::Stay);
    EXPECT_FALSE(fs::exists(wrongFile()));
}

TEST_F(EvaluationTest, RetestOfTheTickedExpressions) {
    runTest({true, true, true});
    ASSERT_TRUE(evaluation.tickAll());
    EXPECT_EQ(evaluation.tickedCount(), 3u);
    EXPECT_EQ(evaluation.choose({}), Next::ShowTestOne);
    EXPECT_EQ(readBytes(wrongFile()), expectedFile({0, 1, 2})) << "written before acting";
    EXPECT_TRUE(evaluation.empty());
    EXPECT_EQ(session.phase(), TypedExamPhase::Asking);
    EXPECT_EQ(session.view().total, "3");
    EXPECT_EQ(session.view().question, "pes");
    EXPECT_EQ(session.view().dictionaryName, "slovicka.slv") << "the retest keeps the dictionary's name";
    EXPECT_EQ(session.table().record(2), (TestRecord{"horse+steed", "kůň", "[h0:s]", "NENÍ"}));

    // Only the ticked ones come back.
    for (int i = 0; i < 3; ++i) answerWrong();
    session.enter("");
    evaluation.setTicked(1, true);
    EXPECT_EQ(evaluation.choose({}), Next::ShowTestOne);
    EXPECT_EQ(session.total(), 1);
    EXPECT_EQ(session.view().question, "kočka");
    EXPECT_EQ(statistics.rows.back().dictionaryPath, statistics.rows.front().dictionaryPath);
}

TEST_F(EvaluationTest, RetestWithNothingTickedStaysAndBackStillWorks) {
    runTest({true, false, false});
    EXPECT_EQ(evaluation.choose({}), Next::Stay);
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Nebyly vybrány žádné výrazy ze seznamu."});
    EXPECT_TRUE(session.testFinished()) << "the evaluation still serves Test I";
    EXPECT_FALSE(session.dictionaryLoaded());
    EXPECT_EQ(evaluation.size(), 1u);
    EXPECT_EQ(evaluation.back(), Next::ShowTestOne);
    EXPECT_EQ(session.phase(), TypedExamPhase::Empty);
}

TEST_F(EvaluationTest, TickingAnEmptyListIsRefused) {
    runTest({false, false, false});
    EXPECT_FALSE(evaluation.tickAll());
    EXPECT_FALSE(evaluation.untickAll());
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Nejsou žádné výrazy k výběru.", "Nejsou žádné výrazy k výběru."}));
}

TEST_F(EvaluationTest, SaveWritesTheTickedExpressionsAsADictionary) {
    runTest({true, true, true});
    evaluation.selectAction(EvaluationAction::Save);
    int asked = 0;
    const fs::path target = dir / "novy.slv";
    EXPECT_EQ(evaluation.choose([&] {
        ++asked;
        return std::optional<fs::path>(target);
    }),
              Next::Stay);
    EXPECT_EQ(prompter.texts(Kind::Information),
              std::vector<std::string>{"Nejsou vybrány žádne výrazy, slovník nelze uložit."});
    EXPECT_EQ(asked, 0);

    evaluation.tickAll();
    evaluation.setTicked(1, false);
    prompter.clear();
    EXPECT_EQ(evaluation.choose([] { return std::optional<fs::path>(); }), Next::Stay);
    EXPECT_FALSE(fs::exists(target)) << "a cancelled dialog saves nothing";
    EXPECT_TRUE(prompter.messages.empty());

    EXPECT_EQ(evaluation.choose([&] { return std::optional<fs::path>(target); }), Next::Stay);
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Slovník byl úspěšně uložen."});
    EXPECT_EQ(readBytes(target), expectedFile({0, 2}));
    EXPECT_EQ(evaluation.size(), 3u) << "the evaluation stays as it was";
    EXPECT_TRUE(session.testFinished());
}

TEST_F(EvaluationTest, PrintLinesStartWithTheCzechTextInEitherDirection) {
    settings.selectDirection(TestDirection::ForeignToCzech);
    runTest({true, true, false});
    evaluation.selectAction(EvaluationAction::Print);
    EXPECT_EQ(evaluation.choose({}), Next::Stay);
    EXPECT_EQ(prompter.texts(Kind::Information),
              std::vector<std::string>{"Nejsou vybrány žádne výrazy, slovník nelze vytisknout."});
    evaluation.setTicked(1, true);
    EXPECT_EQ(evaluation.choose({}), Next::ShowPrint);
    const std::vector<PrintLine> expected{{"kočka - cat - [k2t]", std::string("kočka").size()}};
    EXPECT_EQ(evaluation.printLines(), expected);
    evaluation.back();

    settings.selectDirection(TestDirection::CzechToForeign);
    runTest({true, true, false});
    evaluation.setTicked(1, true);
    EXPECT_EQ(evaluation.printLines(), expected);
}

TEST_F(EvaluationTest, TestTwoKeepsItsResultsAndItsOwnFile) {
    FakeEvaluatedTest testTwo;
    evaluation.attachTestTwo(testTwo);
    testTwo.finished = true;
    testTwo.direction = TestDirection::ForeignToCzech;
    evaluation.appendWrongAnswer(TestRecord{"pes", "dog", "[]", "NENÍ"});
    evaluation.showResults(evaluateTest(1, 1, 2, general.gradeThresholds));
    EXPECT_EQ(evaluation.served(), EvaluatedTestKind::TestTwo);
    EXPECT_EQ(evaluation.back(), Next::ShowTestTwo);
    EXPECT_EQ(testTwo.resets, 1);
    EXPECT_EQ(evaluation.labels().success, "50") << "Test II's labels stay until its next evaluation";
    EXPECT_TRUE(evaluation.empty());
    EXPECT_EQ(readBytes(dir / "spatnevyrazyjedn.slv"), "pes;dog;[];NEN\xCD\r\n");
    EXPECT_FALSE(fs::exists(wrongFile()));

    testTwo.finished = true;
    evaluation.appendWrongAnswer(TestRecord{"pes", "dog", "[]", "NENÍ"});
    EXPECT_EQ(evaluation.choose({}), Next::Stay);
    EXPECT_TRUE(testTwo.finished) << "nothing ticked: its flag is restored";
    evaluation.tickAll();
    EXPECT_EQ(evaluation.choose({}), Next::ShowTestTwo);
    ASSERT_EQ(testTwo.retests.size(), 1u);
    EXPECT_EQ(testTwo.retests[0].czech(0), "pes");
}

TEST_F(EvaluationTest, AGradeKeepsItsColourUntilAnotherOneOrFive) {
    evaluation.showResults(evaluateTest(1, 0, 1, general.gradeThresholds));
    evaluation.resetResults();
    EXPECT_EQ(evaluation.labels().gradeColour, GradeColour::Green);
    evaluation.showResults(evaluateTest(1, 1, 2, general.gradeThresholds));
    EXPECT_EQ(evaluation.labels().gradeColour, GradeColour::Green);
    evaluation.showResults(evaluateTest(0, 1, 1, general.gradeThresholds));
    EXPECT_EQ(evaluation.labels().gradeColour, GradeColour::Red);
}

TEST_F(EvaluationTest, AFolderThatCannotBeWrittenIsReportedAndDoesNotTrapTheUser) {
    const fs::path blocked = dir / "spatnevyrazy.slv";
    fs::create_directories(blocked / "obsazeno");  // a folder where the file should go
    runTest({true, false, false});
    EXPECT_EQ(evaluation.back(), Next::ShowTestOne);
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_NE(prompter.texts(Kind::Error)[0].find("spatnevyrazy.slv"), std::string::npos);
    EXPECT_EQ(session.phase(), TypedExamPhase::Empty);
}

}  // namespace
}  // namespace lexo
