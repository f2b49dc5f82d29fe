#include "exam/grading.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lexo {

std::string formatSuccessNumber(long double value) {
    if (!std::isfinite(value) || value == 0) return "0";
    // "%.14Le" rounds correctly to 15 significant digits: "d.dddddddddddddde±XX".
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    std::string_view text(buffer);
    std::string out;
    if (text.front() == '-') {
        out.push_back('-');
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, e))
        if (c != '.') digits.push_back(c);
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    if (exponent < -5 || exponent >= 15) {
        out.push_back(digits[0]);
        if (digits.size() > 1) out.append(",").append(digits, 1);
        out.append("E").append(std::to_string(exponent));
        return out;
    }
    if (exponent < 0) {
        out.append("0,").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
        return out;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
        out.append(digits).append(whole - digits.size(), '0');
    } else {
        out.append(digits, 0, whole).append(",").append(digits, whole);
    }
    return out;
}

std::optional<double> parseSuccessNumber(std::string_view text) {
    std::string copy(text);
    for (char& c : copy)
        if (c == ',') c = '.';
    double value = 0;
    const char* end = copy.data() + copy.size();
    const auto [stop, error] = std::from_chars(copy.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string successPercentText(int correct, int total) {
    if (total <= 0) return "0";
    return formatSuccessNumber(static_cast<long double>(correct) / static_cast<long double>(total) * 100.0L);
}

int gradeForPercent(double percent, const GradeThresholds& thresholds) {
    for (std::size_t i = 0; i < thresholds.size(); ++i)
        if (percent >= thresholds[i]) return static_cast<int>(i) + 1;
    return 5;
}

int gradeForSuccessText(std::string_view successText, const GradeThresholds& thresholds) {
    const std::optional<double> percent = parseSuccessNumber(successText);
    return percent ? gradeForPercent(*percent, thresholds) : 5;
}

GradeColour gradeColour(int grade) {
    if (grade == 1) return GradeColour::Green;
    if (grade == 5) return GradeColour::Red;
    return GradeColour::Unchanged;
}

EvaluationFigures evaluateTest(int correct, int wrong, int total, const GradeThresholds& thresholds) {
    EvaluationFigures figures;
    figures.correct = correct;
    figures.wrong = wrong;
    figures.success = successPercentText(correct, total);
    figures.grade = gradeForSuccessText(figures.success, thresholds);
    figures.colour = gradeColour(figures.grade);
    return figures;
}

}  // namespace lexo
