#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"
#include "exam/alternatives.h"
#include "exam/evaluation_session.h"
#include "exam/exam_services.h"
#include "exam/exam_table.h"
#include "exam/random_order.h"
#include "exam/tester_settings.h"

namespace lexo {

// What Test I and Test II have in common: the table under test and its order, the counters,
// the file tested (its sound folder and its statistics name), the ways a dictionary comes in
// (the open dialog, the recent list, the last wrong expressions, the command line, a retest)
// and breaking a running test off for one of them. Each test adds how it asks and answers.
class ExamSession : public EvaluatedTest {
public:
    ~ExamSession() override;
    ExamSession(const ExamSession&) = delete;
    ExamSession& operator=(const ExamSession&) = delete;

    // --- commands of the window
    // The open dialog and the recent list: false when the file cannot be read or is too large
    // (said, and checked before a running test is broken off) or the user keeps the running
    // test; an empty dictionary is reported and gives true with nothing loaded.
    bool openDictionary(const std::filesystem::path& path);
    // "Nové zkoušení": true when the window should now run its open dialog (nothing was
    // loaded); a running test is broken off after a Yes and the window stays empty.
    bool newTest();
    // "Naposledy neuhodnuté výrazy": the test's own file of wrong expressions in the program
    // folder, read before a running test is broken off for it.
    void loadLastWrongExpressions();
    // The window was shown: it takes a dictionary named on the command line, once.
    void windowShown();
    // "Opakovat výslovnost": at once, whatever the settings say, when the test allows it.
    virtual void repeatPronunciation() = 0;
    // The caption above the question, set on every activation of the window.
    std::string_view questionLabel() const;

    // --- for the evaluation
    bool testFinished() const override { return testFinished_; }
    void restoreTestFinished() override { testFinished_ = true; }
    void resetTest() override { reset(); }
    void startRetest(ExpressionTable expressions) override;
    TestDirection recordsDirection() const override { return recordsDirection_; }

    // --- state
    bool dictionaryLoaded() const { return table_ && !table_->empty(); }
    int correctCount() const { return correct_; }
    int wrongCount() const { return wrong_; }
    int wrongRecordCount() const { return wrongRecords_; }
    int total() const { return total_; }
    // The number shown as the current question (0 before any).
    int position() const { return position_; }
    // The row of the test table on display; nullopt between tests.
    std::optional<std::size_t> currentRow() const { return current_; }
    const ExamTable& table() const;
    const Alternatives& questionSlots() const { return questionSlots_; }
    const Alternatives& answerSlots() const { return answerSlots_; }
    // What the statistics call the test: the path of the file tested, in lower case.
    const std::string& statisticsPath() const { return statisticsPath_; }
    // A pronunciation is waiting for its delay to pass.
    bool pronunciationPending() const { return pronunciation_.pending(); }

protected:
    ExamSession(ExamServices services, TesterKind kind, std::string_view wrongExpressionsFile);

    // Back to no test; a test's own state follows the common one.
    virtual void reset();
    // The first question of the table just filled.
    virtual void begin() = 0;
    // A dictionary was chosen and the running test is gone (also for an empty one).
    virtual void dictionaryOpened(const std::filesystem::path&) {}

    // A statistics row of this test, when the general settings want it.
    void recordStatistics(bool finished);
    // Breaks the running test off: its row, no test, no list of wrong answers.
    void interrupt();
    // A table comes in: the test starts on it (the tested file kept when none is given).
    void start(std::optional<std::filesystem::path> file, ExpressionTable expressions);
    // Pronounces the question on display.
    void pronounceCurrent();

    ExamServices services_;
    ExamPronunciation pronunciation_;

    // Shared with the evaluation's list of wrong answers, which may outlive the test.
    std::shared_ptr<const ExamTable> table_;
    TestDirection recordsDirection_ = TestDirection::CzechToForeign;
    TestOrder order_ = TestOrder::Random;
    RandomOrder randomOrder_;
    std::optional<std::size_t> current_;
    Alternatives questionSlots_;
    Alternatives answerSlots_;

    int correct_ = 0;
    int wrong_ = 0;
    int wrongRecords_ = 0;
    int total_ = 0;
    int position_ = 0;
    bool testFinished_ = false;
    std::filesystem::path testedFile_;  // its sound folder holds sounds copied with it

private:
    // True when nothing runs or the user let the running test be broken off.
    bool breakOff(std::string_view question);
    void reportUnreadable(const std::filesystem::path& path, const std::string& error);

    TesterKind kind_;
    std::string_view wrongExpressionsFile_;
    std::string statisticsPath_;
};

}  // namespace lexo
