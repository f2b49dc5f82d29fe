#pragma once

#include <string>

#include "statistics/statistics_store.h"
#include "exam/exam_result_sink.h"

namespace lexo {

// Hands the tests' rows to the statistics of the run.
class StatisticsSink final : public ExamResultSink {
public:
    explicit StatisticsSink(StatisticsStore& store) : store_(store) {}

    void appendTestResult(const std::string& dictionaryPath, int correct, int wrong, int reached, bool finished,
                          TesterKind test) override {
        store_.appendTestResult(TestResult{dictionaryPath, correct, wrong, reached, finished,
                                           test == TesterKind::TestOne ? TestMode::TestOne : TestMode::TestTwo});
    }

private:
    StatisticsStore& store_;
};

}  // namespace lexo
