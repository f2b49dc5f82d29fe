#include "exam/extended_testing_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lexo {
namespace {

using Guess = ExtendedTestingSession::Guess;

class ExtendedTestingTest : public ::testing::Test {
protected:
    void prepare(const std::string& answers, const std::string& firstGuess) {
        text = answers;
        session.prepare("pes", Alternatives(text), firstGuess);
    }
    std::vector<std::string> marks() const {
        std::vector<std::string> out;
        for (std::size_t row = 0; row < 4; ++row)
            out.push_back(session.rowVisible(row) ? std::string(rowMarkText(session.mark(row))) : "hidden");
        return out;
    }

    std::string text;
    ExtendedTestingSession session;
};

TEST_F(ExtendedTestingTest, TwoTranslationsFoundOneAfterTheOther) {
    prepare("dog+hound", "dog");
    EXPECT_EQ(marks(), (std::vector<std::string>{"ANO", "NE", "hidden", "hidden"}));
    EXPECT_EQ(session.enter("dog"), Guess::Repeated);
    EXPECT_EQ(session.editText(), "");
    EXPECT_EQ(session.enter("cat"), Guess::Wrong);
    EXPECT_EQ(marks(), (std::vector<std::string>{"ANO", "NE", "hidden", "hidden"}));
    EXPECT_EQ(session.enter("hound"), Guess::AllFound);
    EXPECT_EQ(marks(), (std::vector<std::string>{"ANO", "ANO", "hidden", "hidden"}));
    EXPECT_TRUE(session.allFound());
    EXPECT_FALSE(session.editEnabled());
    EXPECT_EQ(kAllTranslationsFoundMessage, "Byly uhádnuty všechny výrazy.");
}

TEST_F(ExtendedTestingTest, RowsFillInTheOrderOfFindingWhateverTheOrderOfTheDictionary) {
    const std::vector<std::string> others{"dog", "hound", "mutt"};
    std::vector<std::string> order = others;
    std::sort(order.begin(), order.end());
    do {
        prepare("dog+hound+cur+mutt", "cur");
        EXPECT_EQ(session.foundTranslation(0), "cur") << "row 1's tool tip: the answer typed in the test";
        for (std::size_t i = 0; i < order.size(); ++i) {
            const Guess guess = session.enter(order[i]);
            EXPECT_EQ(guess, i + 1 == order.size() ? Guess::AllFound : Guess::Found);
            EXPECT_EQ(session.foundTranslation(i + 1), order[i]);
            EXPECT_EQ(session.mark(i + 1), RowMark::Found);
            if (i + 2 < 4) {
                EXPECT_EQ(session.mark(i + 2), RowMark::Missing);
            }
        }
        EXPECT_TRUE(session.allFound());
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(ExtendedTestingTest, EmptyAndFillerTextsFindNothing) {
    prepare("dog+hound+cur", "dog");
    EXPECT_EQ(marks(), (std::vector<std::string>{"ANO", "NE", "NE", "hidden"}));
    EXPECT_EQ(session.enter(""), Guess::Repeated);
    EXPECT_EQ(session.enter(kAlternativeFiller), Guess::Wrong) << "a spare slot is no translation";
    EXPECT_EQ(session.enter("Hound"), Guess::Wrong);
    EXPECT_EQ(session.enter("cur"), Guess::Found);
    EXPECT_EQ(session.enter("cur"), Guess::Repeated);
    EXPECT_FALSE(session.allFound());
}

TEST_F(ExtendedTestingTest, TheButtonRevealsThenReturns) {
    prepare("dog+hound", "hound");
    EXPECT_EQ(session.pressButton(), ExtendedTestingSession::Button::Revealed);
    EXPECT_EQ(session.editText(), "dog - hound") << "in dictionary order";
    EXPECT_TRUE(session.answersShown());
    EXPECT_EQ(session.pressButton(), ExtendedTestingSession::Button::Return);
    session.reset();
    EXPECT_FALSE(session.prepared());
    EXPECT_EQ(marks(), (std::vector<std::string>{"-", "-", "-", "-"}));
    EXPECT_EQ(session.foundTranslation(0), "");
    EXPECT_FALSE(session.answersShown());
    EXPECT_TRUE(session.editEnabled());
}

}  // namespace
}  // namespace lexo
