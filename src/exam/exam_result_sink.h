#pragma once

#include <string>

#include "exam/tester_settings.h"

namespace lexo {

// Where the tests leave a statistics row when a test ends or is broken off. The tests
// decide whether a row is due (the general settings, at least one judged answer); the
// receiver only appends it, as "Zkoušení I" for TesterKind::TestOne and "Zkoušení II" for
// TesterKind::TestTwo.
class ExamResultSink {
public:
    virtual ~ExamResultSink() = default;
    // `dictionaryPath` is the tested file's path as the statistics name it; `reached` is the
    // number the test showed as its current expression.
    virtual void appendTestResult(const std::string& dictionaryPath, int correct, int wrong, int reached,
                                  bool finished, TesterKind test) = 0;
};

}  // namespace lexo
