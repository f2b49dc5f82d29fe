#include "exam/alternatives.h"

#include "text/text_codec.h"

namespace lexo {

void Alternatives::assign(std::string_view text) {
    pieces_.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            pieces_.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces_.push_back(text.substr(start));
}

void Alternatives::clear() { pieces_.clear(); }

std::string_view Alternatives::slot(std::size_t index) const {
    return index < pieces_.size() ? pieces_[index] : kAlternativeFiller;
}

std::array<std::string, kAlternativeSlotCount> Alternatives::slotTexts() const {
    std::array<std::string, kAlternativeSlotCount> result;
    for (std::size_t i = 0; i < kAlternativeSlotCount; ++i) result[i] = std::string(slot(i));
    return result;
}

bool Alternatives::matches(std::string_view typed) const {
    for (const std::string_view piece : pieces_)
        if (piece == typed) return true;
    return false;
}

void Alternatives::appendDisplay(std::string& out) const {
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (i > 0) out.append(kAlternativeSeparator);
        out.append(pieces_[i]);
    }
}

std::string Alternatives::display() const {
    std::string out;
    appendDisplay(out);
    return out;
}

std::string enteredText(std::string_view typed, bool upperCaseEntry) {
    return upperCaseEntry ? toUpperUtf8(typed) : std::string(typed);
}

}  // namespace lexo
