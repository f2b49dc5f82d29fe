#include "exam/extended_testing_session.h"

#include <algorithm>

namespace lexo {

std::string_view rowMarkText(RowMark mark) {
    switch (mark) {
    case RowMark::Unused: return "-";
    case RowMark::Found: return "ANO";
    case RowMark::Missing: return "NE";
    }
    return "-";
}

void ExtendedTestingSession::prepare(std::string question, const Alternatives& translations,
                                     std::string firstGuess) {
    reset();
    question_ = std::move(question);
    count_ = std::min(translations.count(), kAlternativeSlotCount);
    for (std::size_t i = 0; i < kAlternativeSlotCount; ++i) translations_[i] = std::string(translations.slot(i));
    for (std::size_t row = 0; row < count_; ++row) marks_[row] = row == 0 ? RowMark::Found : RowMark::Missing;
    guesses_[0] = std::move(firstGuess);
}

void ExtendedTestingSession::reset() {
    question_.clear();
    for (std::string& t : translations_) t.clear();
    for (std::string& g : guesses_) g.clear();
    marks_.fill(RowMark::Unused);
    count_ = 0;
    editText_.clear();
    allFound_ = false;
    answersShown_ = false;
}

ExtendedTestingSession::Guess ExtendedTestingSession::enter(std::string_view typed) {
    editText_.clear();
    if (allFound_ || count_ == 0) return Guess::Repeated;
    if (std::find(guesses_.begin(), guesses_.end(), typed) != guesses_.end()) return Guess::Repeated;
    // Only the real translations count: the filler in a spare slot is never a translation.
    if (std::find(translations_.begin(), translations_.begin() + static_cast<std::ptrdiff_t>(count_), typed) ==
        translations_.begin() + static_cast<std::ptrdiff_t>(count_))
        return Guess::Wrong;
    for (std::size_t row = 1; row < count_; ++row) {
        if (marks_[row] != RowMark::Missing) continue;
        marks_[row] = RowMark::Found;
        guesses_[row] = std::string(typed);
        if (row + 1 == count_) {
            allFound_ = true;
            return Guess::AllFound;
        }
        return Guess::Found;
    }
    return Guess::Repeated;
}

ExtendedTestingSession::Button ExtendedTestingSession::pressButton() {
    if (answersShown_) return Button::Return;
    editText_.clear();
    for (std::size_t i = 0; i < count_; ++i) {
        if (i > 0) editText_.append(kRevealSeparator);
        editText_.append(translations_[i]);
    }
    answersShown_ = true;
    return Button::Revealed;
}

}  // namespace lexo
