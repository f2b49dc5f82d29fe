#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexo {

inline constexpr std::string_view kNoPronunciation = "[]";
inline constexpr std::string_view kNoSound = "NENÍ";
inline constexpr std::string_view kDefaultDictionaryName = "novyslovnik.slv";

// One expression. Fields in record order; the file stores Czech first.
struct Expression {
    std::string foreign;
    std::string czech;
    std::string pronunciation{kNoPronunciation};
    std::string sound{kNoSound};

    bool operator==(const Expression&) const = default;
};

enum class Field : std::uint8_t { Foreign = 0, Czech = 1, Pronunciation = 2, Sound = 3 };

// The expressions of one dictionary in file order. All text lives in one buffer and each
// row holds four (offset, size) slots into it: a million-row dictionary costs its text plus
// 32 bytes a row, and loading needs no allocation per field. Views returned by field() are
// valid until the next change of the table.
class ExpressionTable {
public:
    // The largest amount of text one table holds; slots are 32-bit.
    static constexpr std::size_t kMaxTextBytes = 0xFFFFFFF0u;

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    // The size of the text buffer: what appending this table to another copies.
    std::size_t textBytes() const { return text_.size(); }

    std::string_view field(std::size_t row, Field f) const {
        const Slot& s = rows_[row][static_cast<std::size_t>(f)];
        return std::string_view(text_).substr(s.offset, s.size);
    }
    std::string_view foreign(std::size_t row) const { return field(row, Field::Foreign); }
    std::string_view czech(std::size_t row) const { return field(row, Field::Czech); }
    std::string_view pronunciation(std::size_t row) const { return field(row, Field::Pronunciation); }
    std::string_view sound(std::size_t row) const { return field(row, Field::Sound); }

    Expression at(std::size_t row) const;

    void append(const Expression& e);
    void append(std::string_view foreign, std::string_view czech, std::string_view pronunciation,
                std::string_view sound);
    // All rows of `other` after these, in one copy of its text.
    void append(const ExpressionTable& other);
    void set(std::size_t row, const Expression& e);
    void setField(std::size_t row, Field f, std::string_view value);
    void remove(std::size_t row);
    void clear();
    void reserve(std::size_t rows, std::size_t textBytes);

    bool operator==(const ExpressionTable& other) const;

private:
    friend class DictionaryParser;

    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };
    using Row = std::array<Slot, 4>;

    Slot store(std::string_view value);
    void compactIfWasteful();

    std::string text_;
    std::vector<Row> rows_;
    std::size_t garbage_ = 0;  // bytes of text_ no slot refers to any more
};

}  // namespace lexo
