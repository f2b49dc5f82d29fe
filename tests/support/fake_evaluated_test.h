#pragma once

#include <utility>
#include <vector>

#include "exam/evaluation_session.h"

namespace lexo {

// A test window as the evaluation sees it.
class FakeEvaluatedTest final : public EvaluatedTest {
public:
    bool finished = false;
    int resets = 0;
    std::vector<ExpressionTable> retests;
    TestDirection direction = TestDirection::CzechToForeign;

    bool testFinished() const override { return finished; }
    void restoreTestFinished() override { finished = true; }
    void resetTest() override {
        finished = false;
        ++resets;
    }
    void startRetest(ExpressionTable expressions) override { retests.push_back(std::move(expressions)); }
    TestDirection recordsDirection() const override { return direction; }
};

}  // namespace lexo
