#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"

namespace lexo {

// Which text the tests show and which one they expect.
enum class TestDirection {
    CzechToForeign,  // "Z CZ do CIZ": show the Czech text, expect the foreign one
    ForeignToCzech,  // "Z CIZ do CZ": show the foreign text, expect the Czech one
};

// One expression as a test holds it: by role, not by language.
struct TestRecord {
    std::string answer;    // what the user must type
    std::string question;  // what is shown
    std::string pronunciation;
    std::string sound;     // full path of a sound file, or "NENÍ"

    bool operator==(const TestRecord&) const = default;
};

// A record back in dictionary order for a test that ran in `direction`.
Expression dictionaryExpression(std::string_view answer, std::string_view question, std::string_view pronunciation,
                                std::string_view sound, TestDirection direction);
Expression dictionaryExpression(const TestRecord& record, TestDirection direction);

// The expressions of a test in file order, read by role. The direction is fixed when the
// table is made; the dictionary's own table is kept as it was loaded, so filling a test
// of a million expressions copies nothing.
class ExamTable {
public:
    ExamTable() = default;
    ExamTable(ExpressionTable expressions, TestDirection direction)
        : expressions_(std::move(expressions)), direction_(direction) {}

    std::size_t size() const { return expressions_.size(); }
    bool empty() const { return expressions_.empty(); }
    TestDirection direction() const { return direction_; }

    std::string_view answer(std::size_t row) const {
        return direction_ == TestDirection::CzechToForeign ? expressions_.foreign(row) : expressions_.czech(row);
    }
    std::string_view question(std::size_t row) const {
        return direction_ == TestDirection::CzechToForeign ? expressions_.czech(row) : expressions_.foreign(row);
    }
    std::string_view foreign(std::size_t row) const { return expressions_.foreign(row); }
    std::string_view pronunciation(std::size_t row) const { return expressions_.pronunciation(row); }
    std::string_view sound(std::size_t row) const { return expressions_.sound(row); }

    TestRecord record(std::size_t row) const;
    void append(std::string_view answer, std::string_view question, std::string_view pronunciation,
                std::string_view sound);
    void clear() { expressions_.clear(); }

private:
    ExpressionTable expressions_;
    TestDirection direction_ = TestDirection::CzechToForeign;
};

}  // namespace lexo
