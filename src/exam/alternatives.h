#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexo {

// Stands in the spare slots of an expression with fewer than four translations: nothing a
// person types matches it, not even an empty answer. Never shown.
inline constexpr std::string_view kAlternativeFiller = "sssssssssssssssffffffffffffffffeeeeeeeeeeejfjklůsdfjůk";
inline constexpr std::size_t kAlternativeSlotCount = 4;
inline constexpr std::string_view kAlternativeSeparator = " ; ";

// The translations of one question or answer text, cut at every "+" exactly like a line
// is cut at ";": pieces are kept as they stand (spaces included), an empty piece counts,
// and a text without "+" is one piece. The pieces are views into the text given to
// assign(), which must outlive them; assigning again reuses the storage, so preparing
// one expression after another allocates nothing once warmed up.
class Alternatives {
public:
    Alternatives() = default;
    explicit Alternatives(std::string_view text) { assign(text); }

    void assign(std::string_view text);
    void clear();

    // Number of translations; 0 only before anything was assigned.
    std::size_t count() const { return pieces_.size(); }
    const std::vector<std::string_view>& pieces() const { return pieces_; }

    // Slot 0 … 3 of the four the tests work with: a translation, or the filler.
    std::string_view slot(std::size_t index) const;
    std::array<std::string, kAlternativeSlotCount> slotTexts() const;

    // Exact, case-sensitive, byte for byte, against every translation (more than four
    // are all judged). An empty answer matches only an empty translation.
    bool matches(std::string_view typed) const;

    // Every translation joined by " ; ", as the question and the corrections are shown.
    std::string display() const;
    void appendDisplay(std::string& out) const;

    // Practising the other translations is offered for two to four of them.
    bool severalForPractice() const { return count() >= 2 && count() <= kAlternativeSlotCount; }

private:
    std::vector<std::string_view> pieces_;
};

// What the answer boxes hold for typed text: capitals when "Psát vše velkými písmeny" is
// on. Every box of the tests goes through this one rule, so what is shown is what is judged.
std::string enteredText(std::string_view typed, bool upperCaseEntry);

}  // namespace lexo
