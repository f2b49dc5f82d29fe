#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/general_settings.h"

namespace lexo {

// A number as the evaluation writes it: the shortest text of at most 15 significant
// digits, decimal comma, no thousands separator; scientific ("1,5E-7") below 0,00001 and
// from 10^15 on. 2/3 × 100 → "66,6666666666667", 80 → "80".
std::string formatSuccessNumber(long double value);

// Reads such a text back ("66,6666666666667", also with a decimal point); nullopt for
// anything else.
std::optional<double> parseSuccessNumber(std::string_view text);

// Correct / total × 100, in the extended precision the figure was always computed in.
// A test without expressions counts as 0 %.
std::string successPercentText(int correct, int total);

// Grade 1 … 5: the first threshold the percentage reaches or passes (80 % with the first
// threshold at 80 is a "1"); below the last one, a "5".
int gradeForPercent(double percent, const GradeThresholds& thresholds);

// The grade of the success text as shown, so that what the user reads and the grade
// always agree. Unreadable text gives a "5".
int gradeForSuccessText(std::string_view successText, const GradeThresholds& thresholds);

// A "1" is shown green and a "5" red; the others keep the label's colour.
enum class GradeColour { Unchanged, Green, Red };
GradeColour gradeColour(int grade);

// The four result labels of the evaluation.
struct EvaluationFigures {
    int correct = 0;
    int wrong = 0;
    std::string success;  // without the "%" the window shows beside it
    int grade = 5;
    GradeColour colour = GradeColour::Red;

    std::string gradeText() const { return std::to_string(grade); }
    bool operator==(const EvaluationFigures&) const = default;
};

// The figures of a test of `total` expressions (its total as shown when it began).
EvaluationFigures evaluateTest(int correct, int wrong, int total, const GradeThresholds& thresholds);

}  // namespace lexo
