#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "exam/alternatives.h"

namespace lexo {

inline constexpr std::string_view kAllTranslationsFoundMessage = "Byly uhádnuty všechny výrazy.";
inline constexpr std::string_view kRevealSeparator = " - ";

// The mark beside "Výraz 1:" … "Výraz 4:".
enum class RowMark {
    Unused,   // "-", black
    Found,    // "ANO", green
    Missing,  // "NE", red
};
std::string_view rowMarkText(RowMark mark);

// "Rozšířené zkoušení": after a correct answer to an expression with two to four
// translations, the user may find the others. Rows fill in the order of finding; the
// first row is the translation typed in the test. Nothing here touches the test's counts.
class ExtendedTestingSession {
public:
    enum class Guess {
        Repeated,  // already found (or empty): the edit is cleared, nothing else
        Wrong,     // none of the translations: the edit is cleared, no message
        Found,     // a new translation: the next "NE" row turns "ANO"
        AllFound,  // … and it was the last one: the edit is disabled
    };
    enum class Button {
        Revealed,  // first press: the edit shows every translation joined by " - "
        Return,    // second press: back to the test (the window calls the test's return)
    };

    // Test I calls this before showing the window: the question as shown, the expression's
    // translations and the answer that was just accepted.
    void prepare(std::string question, const Alternatives& translations, std::string firstGuess);
    // Back to the hidden state: nothing prepared, all marks "-".
    void reset();

    // Enter in the edit with the text as typed (capitals already applied).
    Guess enter(std::string_view typed);
    Button pressButton();

    bool prepared() const { return count_ > 0; }
    std::size_t count() const { return count_; }
    const std::string& question() const { return question_; }
    // Rows 0 … 3 (shown as "Výraz 1:" … "Výraz 4:"); rows at or past count() are hidden.
    bool rowVisible(std::size_t row) const { return count_ == 0 || row < count_; }
    RowMark mark(std::size_t row) const { return marks_[row]; }
    // The tool tip of a row: the translation found for it ("" while none).
    const std::string& foundTranslation(std::size_t row) const { return guesses_[row]; }
    const std::string& translation(std::size_t index) const { return translations_[index]; }

    const std::string& editText() const { return editText_; }
    bool editEnabled() const { return !allFound_; }
    bool allFound() const { return allFound_; }
    bool answersShown() const { return answersShown_; }

private:
    std::string question_;
    std::array<std::string, kAlternativeSlotCount> translations_;
    std::array<std::string, kAlternativeSlotCount> guesses_;
    std::array<RowMark, kAlternativeSlotCount> marks_{RowMark::Unused, RowMark::Unused, RowMark::Unused,
                                                      RowMark::Unused};
    std::size_t count_ = 0;
    std::string editText_;
    bool allFound_ = false;
    bool answersShown_ = false;
};

}  // namespace lexo
