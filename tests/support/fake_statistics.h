#pragma once

#include <string>
#include <vector>

#include "exam/exam_result_sink.h"

namespace lexo {

// Keeps every statistics row a test hands over.
class FakeStatistics final : public ExamResultSink {
public:
    struct Row {
        std::string dictionaryPath;
        int correct = 0;
        int wrong = 0;
        int reached = 0;
        bool finished = false;
        TesterKind test = TesterKind::TestOne;
        bool operator==(const Row&) const = default;
    };

    std::vector<Row> rows;

    void appendTestResult(const std::string& dictionaryPath, int correct, int wrong, int reached, bool finished,
                          TesterKind test) override {
        rows.push_back(Row{dictionaryPath, correct, wrong, reached, finished, test});
    }
};

}  // namespace lexo
