#include "exam/grading.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exam/alternatives.h"

namespace lexo {
namespace {

TEST(SuccessText, FifteenSignificantDigitsWithADecimalComma) {
    EXPECT_EQ(successPercentText(2, 3), "66,6666666666667");
    EXPECT_EQ(successPercentText(4, 5), "80");
    EXPECT_EQ(successPercentText(1, 3), "33,3333333333333");
    EXPECT_EQ(successPercentText(3, 3), "100");
    EXPECT_EQ(successPercentText(0, 7), "0");
    EXPECT_EQ(successPercentText(1, 8), "12,5");
    EXPECT_EQ(successPercentText(1, 1000), "0,1");
    EXPECT_EQ(successPercentText(0, 0), "0") << "no expressions: no division by zero";
    // Only beyond a test of ten million expressions: the exponent form.
    EXPECT_EQ(formatSuccessNumber(0.0000015L), "1,5E-6");
}

// Every success a test of up to 300 expressions can reach reads back as the value it
// stands for, with at most 15 significant digits.
TEST(SuccessText, ReadsBackAsTheValueItShows) {
    for (int total = 1; total <= 300; ++total) {
        for (int correct = 0; correct <= total; ++correct) {
            const std::string text = successPercentText(correct, total);
            const auto value = parseSuccessNumber(text);
            ASSERT_TRUE(value) << text;
            const double exact = 100.0 * correct / total;
            EXPECT_NEAR(*value, exact, 1e-12) << correct << " of " << total;
            std::size_t digits = 0;
            for (const char c : text) digits += (c >= '0' && c <= '9');
            EXPECT_LE(digits, 16u) << text;  // 15 significant, plus a leading "0," below one
            EXPECT_EQ(text.find('.'), std::string::npos) << text;
        }
    }
}

TEST(Grade, ThresholdsAreReachedFromAbove) {
    const GradeThresholds defaults{80, 60, 50, 30};
    EXPECT_EQ(gradeForSuccessText("80", defaults), 1) << "exactly 80 % is a 1";
    EXPECT_EQ(gradeForSuccessText("79,9999999999999", defaults), 2);
    EXPECT_EQ(gradeForSuccessText("66,6666666666667", defaults), 2);
    EXPECT_EQ(gradeForSuccessText("60", defaults), 2);
    EXPECT_EQ(gradeForSuccessText("50", defaults), 3);
    EXPECT_EQ(gradeForSuccessText("30", defaults), 4);
    EXPECT_EQ(gradeForSuccessText("29,9", defaults), 5);
    EXPECT_EQ(gradeForSuccessText("0", defaults), 5);
    EXPECT_EQ(gradeForSuccessText("nonsense", defaults), 5);

    const GradeThresholds strict{95, 90, 70, 40};
    EXPECT_EQ(gradeForSuccessText("94,9", strict), 2);
    EXPECT_EQ(gradeForSuccessText("95", strict), 1);
    EXPECT_EQ(gradeForSuccessText("40", strict), 4);
}

TEST(Grade, EvaluationFiguresAndColours) {
    const GradeThresholds defaults{80, 60, 50, 30};
    const EvaluationFigures twoOfThree = evaluateTest(2, 1, 3, defaults);
    EXPECT_EQ(twoOfThree.success, "66,6666666666667");
    EXPECT_EQ(twoOfThree.gradeText(), "2");
    EXPECT_EQ(twoOfThree.colour, GradeColour::Unchanged);
    EXPECT_EQ(evaluateTest(4, 1, 5, defaults).colour, GradeColour::Green);
    EXPECT_EQ(evaluateTest(1, 4, 5, defaults).colour, GradeColour::Red);
    // The success is of the test's total; answers given while waiting do not change it.
    EXPECT_EQ(evaluateTest(3, 4, 4, defaults).success, "75");
}

TEST(Alternatives, CutAtEveryPlusWithPiecesKeptExactly) {
    const std::string text = "dog + hound++cur";
    const Alternatives a(text);
    ASSERT_EQ(a.count(), 4u);
    EXPECT_EQ(a.slot(0), "dog ");
    EXPECT_EQ(a.slot(1), " hound");
    EXPECT_EQ(a.slot(2), "");
    EXPECT_EQ(a.slot(3), "cur");
    EXPECT_EQ(a.display(), "dog  ;  hound ;  ; cur");

    const std::string single = "pes";
    const Alternatives one(single);
    EXPECT_EQ(one.count(), 1u);
    EXPECT_EQ(one.slot(1), kAlternativeFiller);
    EXPECT_EQ(one.slot(3), kAlternativeFiller);
    EXPECT_EQ(one.display(), "pes");
    EXPECT_FALSE(one.severalForPractice());

    Alternatives reused(text);
    reused.assign(single);
    EXPECT_FALSE(reused.matches("dog ")) << "nothing of the earlier text stays";
    EXPECT_EQ(reused.slot(1), kAlternativeFiller);
}

TEST(Alternatives, JudgingIsExactAndTheFillerMatchesNothingTyped) {
    const std::string text = "dog+hound";
    const Alternatives a(text);
    EXPECT_TRUE(a.matches("dog"));
    EXPECT_TRUE(a.matches("hound"));
    EXPECT_FALSE(a.matches("dog+hound"));
    EXPECT_FALSE(a.matches("dog "));
    EXPECT_FALSE(a.matches("Dog"));
    EXPECT_FALSE(a.matches(""));
    EXPECT_FALSE(a.matches(kAlternativeFiller)) << "spare slots are not translations";
    EXPECT_TRUE(a.severalForPractice());

    const std::string withEmpty = "a+";
    EXPECT_TRUE(Alternatives(withEmpty).matches("")) << "an empty translation is one";
}

TEST(Alternatives, MoreThanFourAreAllJudgedAndShownButNotPractised) {
    const std::string text = "a+b+c+d+e+f";
    const Alternatives a(text);
    EXPECT_EQ(a.count(), 6u);
    EXPECT_TRUE(a.matches("e"));
    EXPECT_TRUE(a.matches("f"));
    EXPECT_EQ(a.display(), "a ; b ; c ; d ; e ; f");
    EXPECT_FALSE(a.severalForPractice());
}

}  // namespace
}  // namespace lexo
