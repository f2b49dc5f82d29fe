#include "exam/evaluation_session.h"

#include "dictionary/dictionary_file.h"
#include "dictionary/sound_folder.h"

namespace lexo {

EvaluationSession::EvaluationSession(Prompter& prompter, std::filesystem::path programFolder)
    : prompter_(prompter), programFolder_(std::move(programFolder)) {}

EvaluatedTestKind EvaluationSession::served() const {
    if (testOne_ != nullptr && testOne_->testFinished()) return EvaluatedTestKind::TestOne;
    if (testTwo_ != nullptr && testTwo_->testFinished()) return EvaluatedTestKind::TestTwo;
    return EvaluatedTestKind::None;
}

EvaluatedTest* EvaluationSession::servedTest() const {
    switch (served()) {
    case EvaluatedTestKind::TestOne: return testOne_;
    case EvaluatedTestKind::TestTwo: return testTwo_;
    case EvaluatedTestKind::None: break;
    }
    return nullptr;
}

void EvaluationSession::appendWrongAnswer(const std::shared_ptr<const ExamTable>& table, std::size_t row,
                                          const std::filesystem::path& dictionaryPath) {
    if (sources_.empty() || sources_.back() != table || sourceDictionaries_.back() != dictionaryPath) {
        sources_.push_back(table);
        sourceDictionaries_.push_back(dictionaryPath);
    }
    entries_.push_back(Entry{static_cast<std::uint32_t>(sources_.size() - 1), static_cast<std::uint32_t>(row), 0});
}

void EvaluationSession::appendWrongAnswer(const TestRecord& record, const std::filesystem::path& dictionaryPath) {
    if (!loose_) loose_ = std::make_shared<ExamTable>();
    loose_->append(record.answer, record.question, record.pronunciation, record.sound);
    appendWrongAnswer(loose_, loose_->size() - 1, dictionaryPath);
}

void EvaluationSession::clearList() {
    entries_.clear();
    entries_.shrink_to_fit();
    sources_.clear();
    sourceDictionaries_.clear();
    loose_.reset();
}

void EvaluationSession::showResults(const EvaluationFigures& figures) {
    labels_.correct = std::to_string(figures.correct);
    labels_.wrong = std::to_string(figures.wrong);
    labels_.success = figures.success;
    labels_.grade = figures.gradeText();
    // Grades 2 … 4 leave the label in the colour of the last grade.
    if (figures.colour != GradeColour::Unchanged) labels_.gradeColour = figures.colour;
}

std::size_t EvaluationSession::tickedCount() const {
    std::size_t count = 0;
    for (const Entry& entry : entries_) count += entry.ticked;
    return count;
}

bool EvaluationSession::setAllTicks(bool on) {
    if (empty()) {
        prompter_.information(kNothingToTickMessage);
        return false;
    }
    for (Entry& entry : entries_) entry.ticked = on ? 1 : 0;
    return true;
}

ExpressionTable EvaluationSession::expressions(TestDirection direction, bool tickedOnly) const {
    const bool czechQuestion = direction == TestDirection::CzechToForeign;
    std::size_t rows = 0;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (tickedOnly && entries_[i].ticked == 0) continue;
        const ExamTable& from = source(i);
        const std::size_t row = entries_[i].row;
        ++rows;
        bytes += from.answer(row).size() + from.question(row).size() + from.pronunciation(row).size() +
                 from.sound(row).size();
    }
    ExpressionTable table;
    table.reserve(rows, bytes);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (tickedOnly && entries_[i].ticked == 0) continue;
        const ExamTable& from = source(i);
        const std::size_t row = entries_[i].row;
        const std::string_view answer = from.answer(row);
        const std::string_view question = from.question(row);
        table.append(czechQuestion ? answer : question, czechQuestion ? question : answer, from.pronunciation(row),
                     from.sound(row));
    }
    return table;
}

std::filesystem::path EvaluationSession::wrongExpressionsFile(EvaluatedTestKind kind) const {
    return programFolder_ /
           (kind == EvaluatedTestKind::TestTwo ? kTestTwoWrongExpressionsFile : kTestOneWrongExpressionsFile);
}

bool EvaluationSession::writeWrongExpressions() {
    const EvaluatedTestKind kind = served();
    const EvaluatedTest* test = servedTest();
    if (test == nullptr || empty()) return true;
    ExpressionTable table = expressions(test->recordsDirection(), false);
    // A bare reference played because it lay in the dictionary's sound folder; read back
    // from the program folder it would name nothing.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string_view sound = table.sound(i);
        if (sound == kNoSound) continue;
        const std::optional<std::filesystem::path> file =
            playableSound(sound, sourceDictionaries_[entries_[i].source]);
        if (!file) continue;
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(*file, ec);
        if (!ec && full.string() != sound) table.setField(i, Field::Sound, full.string());
    }
    const std::filesystem::path file = wrongExpressionsFile(kind);
    const SaveResult saved = saveDictionary(table, file);
    if (saved.ok) return true;
    prompter_.error("Špatně zodpovězené výrazy se nepodařilo uložit do souboru " + file.string() + ": " +
                    saved.error);
    return false;
}

EvaluationSession::Next EvaluationSession::choose(const SavePathChooser& chooseSavePath) {
    EvaluatedTest* test = servedTest();
    if (test == nullptr) return Next::Stay;
    const EvaluatedTestKind kind = served();
    const TestDirection direction = test->recordsDirection();
    // A failed write is reported and the action still runs: the user may be about to save
    // the list elsewhere.
    writeWrongExpressions();

    switch (action_) {
    case EvaluationAction::Retest: {
        test->resetTest();
        ExpressionTable chosen = expressions(direction, true);
        if (chosen.empty()) {
            prompter_.information(kNothingTickedForRetestMessage);
            test->restoreTestFinished();
            return Next::Stay;
        }
        clearList();
        test->startRetest(std::move(chosen));
        return kind == EvaluatedTestKind::TestOne ? Next::ShowTestOne : Next::ShowTestTwo;
    }
    case EvaluationAction::Save: {
        if (tickedCount() == 0) {
            prompter_.information(kNothingTickedForSaveMessage);
            return Next::Stay;
        }
        const std::optional<std::filesystem::path> path = chooseSavePath ? chooseSavePath() : std::nullopt;
        if (!path) return Next::Stay;
        const SaveResult saved = saveDictionary(expressions(direction, true), *path);
        if (saved.ok) {
            prompter_.information(kDictionarySavedMessage);
        } else {
            prompter_.error("Slovník se nepodařilo uložit do souboru " + path->string() + ": " + saved.error);
        }
        return Next::Stay;
    }
    case EvaluationAction::Print:
        if (tickedCount() == 0) {
            prompter_.information(kNothingTickedForPrintMessage);
            return Next::Stay;
        }
        return Next::ShowPrint;
    }
    return Next::Stay;
}

EvaluationSession::Next EvaluationSession::back() {
    EvaluatedTest* test = servedTest();
    if (test == nullptr) return Next::Stay;
    const EvaluatedTestKind kind = served();
    // Leaving never fails: a list that cannot be written is reported and the user goes on.
    writeWrongExpressions();
    clearList();
    // Test II's results stay on the labels until its next evaluation.
    if (kind == EvaluatedTestKind::TestOne) resetResults();
    test->resetTest();
    return kind == EvaluatedTestKind::TestOne ? Next::ShowTestOne : Next::ShowTestTwo;
}

ExpressionTable EvaluationSession::tickedExpressions() const {
    const EvaluatedTest* test = servedTest();
    return expressions(test != nullptr ? test->recordsDirection() : TestDirection::CzechToForeign, true);
}

std::vector<PrintLine> EvaluationSession::printLines() const { return printListLines(tickedExpressions(), {}); }

}  // namespace lexo
