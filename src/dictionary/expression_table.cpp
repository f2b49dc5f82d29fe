#include "dictionary/expression_table.h"

#include <stdexcept>

namespace lexo {

Expression ExpressionTable::at(std::size_t row) const {
    return Expression{std::string(foreign(row)), std::string(czech(row)),
                      std::string(pronunciation(row)), std::string(sound(row))};
}

ExpressionTable::Slot ExpressionTable::store(std::string_view value) {
    if (text_.size() + value.size() > kMaxTextBytes) throw std::length_error("dictionary text too large");
    // The value may point into text_ itself (copying a field to another row); appending
    // could reallocate under it.
    if (value.data() >= text_.data() && value.data() < text_.data() + text_.size()) {
        const std::string copy(value);
        return store(copy);
    }
    Slot s{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(value.size())};
    text_.append(value);
    return s;
}

void ExpressionTable::append(const Expression& e) {
    append(e.foreign, e.czech, e.pronunciation, e.sound);
}

void ExpressionTable::append(std::string_view f, std::string_view c, std::string_view p,
                             std::string_view s) {
    Row row{store(f), store(c), store(p), store(s)};
    rows_.push_back(row);
}

void ExpressionTable::append(const ExpressionTable& other) {
    if (&other == this) {
        const ExpressionTable copy(other);
        append(copy);
        return;
    }
    if (text_.size() + other.text_.size() > kMaxTextBytes) throw std::length_error("dictionary text too large");
    const auto base = static_cast<std::uint32_t>(text_.size());
    text_.append(other.text_);
    garbage_ += other.garbage_;
    const std::size_t first = rows_.size();
    rows_.insert(rows_.end(), other.rows_.begin(), other.rows_.end());
    for (std::size_t row = first; row < rows_.size(); ++row)
        for (Slot& slot : rows_[row]) slot.offset += base;
}

void ExpressionTable::set(std::size_t row, const Expression& e) {
    setField(row, Field::Foreign, e.foreign);
    setField(row, Field::Czech, e.czech);
    setField(row, Field::Pronunciation, e.pronunciation);
    setField(row, Field::Sound, e.sound);
}

void ExpressionTable::setField(std::size_t row, Field f, std::string_view value) {
    if (field(row, f) == value) return;
    const Slot fresh = store(value);
    Slot& slot = rows_[row][static_cast<std::size_t>(f)];
    garbage_ += slot.size;
    slot = fresh;
    compactIfWasteful();
}

void ExpressionTable::remove(std::size_t row) {
    for (const Slot& s : rows_[row]) garbage_ += s.size;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    compactIfWasteful();
}

void ExpressionTable::clear() {
    text_.clear();
    text_.shrink_to_fit();
    rows_.clear();
    rows_.shrink_to_fit();
    garbage_ = 0;
}

void ExpressionTable::reserve(std::size_t rows, std::size_t textBytes) {
    rows_.reserve(rows);
    text_.reserve(textBytes);
}

void ExpressionTable::compactIfWasteful() {
    // Edits append; rewrite the buffer only once most of it is dead, so a run of edits
    // stays linear overall.
    if (garbage_ < 4096 || garbage_ * 2 < text_.size()) return;
    std::string packed;
    packed.reserve(text_.size() - garbage_);
    for (Row& row : rows_) {
        for (Slot& s : row) {
            const auto offset = static_cast<std::uint32_t>(packed.size());
            packed.append(text_, s.offset, s.size);
            s.offset = offset;
        }
    }
    text_ = std::move(packed);
    garbage_ = 0;
}

bool ExpressionTable::operator==(const ExpressionTable& other) const {
    if (size() != other.size()) return false;
    for (std::size_t r = 0; r < size(); ++r)
        for (std::size_t f = 0; f < 4; ++f)
            if (field(r, static_cast<Field>(f)) != other.field(r, static_cast<Field>(f))) return false;
    return true;
}

}  // namespace lexo
