#include "tools/print_list.h"

#include <gtest/gtest.h>

#include "exam/evaluation_session.h"
#include "support/fake_evaluated_test.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using Kind = FakePrompter::Kind;

// Records as a test in "Z CIZ do CZ" holds them: the Czech text is the answer.
class PrintListTest : public ::testing::Test {
protected:
    PrintListTest() {
        test.direction = TestDirection::ForeignToCzech;
        evaluation.attachTestTwo(test);
        evaluation.appendWrongAnswer(TestRecord{"kůň", "horse", "[ho:s]", "NENÍ"});
        evaluation.appendWrongAnswer(TestRecord{"pes", "dog", "[dog]", "NENÍ"});
        evaluation.appendWrongAnswer(TestRecord{"žluťoučký", "yellow", "[jel2u]", "NENÍ"});
        evaluation.setTicked(0, true);
        evaluation.setTicked(2, true);
        test.finished = true;
    }

    std::vector<PrintLine> lines(const PrintColumns& columns) const {
        return printListLines(evaluation.tickedExpressions(), columns);
    }

    testing::TempDir dir;
    FakePrompter prompter;
    FakeEvaluatedTest test;
    EvaluationSession evaluation{prompter, dir.path()};
};

TEST_F(PrintListTest, TheCzechColumnIsTheCzechTextWhateverTheDirection) {
    // The first fill of the print window, and the evaluation's own lines.
    const std::vector<PrintLine> all{{"kůň - horse - [ho:s]", 5}, {"žluťoučký - yellow - [jel2u]", 13}};
    EXPECT_EQ(evaluation.printLines(), all);
    EXPECT_EQ(lines({}), all);

    test.direction = TestDirection::CzechToForeign;
    EXPECT_EQ(evaluation.printLines().front().text, "horse - kůň - [ho:s]")
        << "records of the other direction hold their fields the other way round";
}

TEST_F(PrintListTest, EveryPairOfColumnsKeepsItsOrderAndBoldsItsFirstField) {
    EXPECT_EQ(lines({true, true, false}),
              (std::vector<PrintLine>{{"kůň - horse", 5}, {"žluťoučký - yellow", 13}}));
    EXPECT_EQ(lines({false, true, true}),
              (std::vector<PrintLine>{{"horse - [ho:s]", 5}, {"yellow - [jel2u]", 6}}));
    EXPECT_EQ(lines({true, false, true}),
              (std::vector<PrintLine>{{"kůň - [ho:s]", 5}, {"žluťoučký - [jel2u]", 13}}));
}

TEST_F(PrintListTest, UntickedRecordsLeaveNoLineAndNoneTickedLeavesNone) {
    evaluation.setTicked(0, false);
    EXPECT_EQ(lines({}).size(), 1u);
    evaluation.untickAll();
    EXPECT_TRUE(lines({}).empty());
}

TEST_F(PrintListTest, AtLeastTwoColumnsStayChecked) {
    PrintColumnChoice choice;
    EXPECT_TRUE(choice.toggle(PrintColumn::Pronunciation, false, prompter));
    EXPECT_EQ(choice.columns(), (PrintColumns{true, true, false}));
    EXPECT_FALSE(choice.toggle(PrintColumn::Foreign, false, prompter));
    EXPECT_FALSE(choice.toggle(PrintColumn::Czech, false, prompter));
    EXPECT_EQ(choice.columns(), (PrintColumns{true, true, false})) << "a refusal changes nothing";
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>(2, "Musí být zaškrtnuty nejméně dvě možnosti.")));
    EXPECT_TRUE(choice.toggle(PrintColumn::Pronunciation, true, prompter));
    EXPECT_TRUE(choice.toggle(PrintColumn::Czech, false, prompter));
    EXPECT_EQ(choice.columns(), (PrintColumns{false, true, true}));
}

}  // namespace
}  // namespace lexo
