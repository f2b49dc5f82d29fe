#include "exam/exam_table.h"

namespace lexo {

Expression dictionaryExpression(std::string_view answer, std::string_view question, std::string_view pronunciation,
                                std::string_view sound, TestDirection direction) {
    const bool czechQuestion = direction == TestDirection::CzechToForeign;
    return Expression{std::string(czechQuestion ? answer : question), std::string(czechQuestion ? question : answer),
                      std::string(pronunciation), std::string(sound)};
}

Expression dictionaryExpression(const TestRecord& record, TestDirection direction) {
    return dictionaryExpression(record.answer, record.question, record.pronunciation, record.sound, direction);
}

void ExamTable::append(std::string_view answer, std::string_view question, std::string_view pronunciation,
                       std::string_view sound) {
    if (direction_ == TestDirection::CzechToForeign) {
        expressions_.append(answer, question, pronunciation, sound);
    } else {
        expressions_.append(question, answer, pronunciation, sound);
    }
}

TestRecord ExamTable::record(std::size_t row) const {
    return TestRecord{std::string(answer(row)), std::string(question(row)), std::string(pronunciation(row)),
                      std::string(sound(row))};
}

}  // namespace lexo
