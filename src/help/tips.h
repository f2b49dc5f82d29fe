#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "text/text_codec.h"

namespace lexo {

class Random;

inline constexpr std::string_view kTipsFileName = "Tips.umv";
inline constexpr std::string_view kTipsBrokenMessage = "Program je poškozen, přeinstalujte jej. Děkuji!";

struct Tip {
    int number = 0;
    std::string numberText;
    std::string heading;
    std::string text;

    bool operator==(const Tip&) const = default;
};

struct TipsLoad {
    enum class Status { Ok, Missing, Empty };
    Status status = Status::Ok;
    std::vector<Tip> tips;
    TextEncoding encoding = TextEncoding::Windows1250;
    // One "'…' is not a valid integer value" per line whose number is not a whole number;
    // such a line is left out.
    std::vector<std::string> conversionErrors;

    // Nothing to show: the program cannot go on without tips.
    bool broken() const { return status != Status::Ok || tips.empty(); }
};

// The number field the way the program always read it: optional leading blanks, a sign,
// decimal digits, within 32 bits.
std::optional<int> parseTipNumber(std::string_view text);
std::string notAnIntegerMessage(std::string_view text);

// One tip a line, "number;heading;text", further fields ignored; zero-length lines skipped.
TipsLoad parseTips(std::string bytes);
TipsLoad loadTips(const std::filesystem::path& path);

// The tip box: an empty line, the heading, two empty lines, the text.
std::string tipBoxText(const Tip& tip);

// A tip drawn uniformly; count ≥ 1.
std::size_t chooseTip(Random& random, std::size_t count);

// The tips held in memory for the run, and the editing mode's changes to them.
class TipsBook {
public:
    TipsBook() = default;
    TipsBook(std::vector<Tip> tips, TextEncoding encoding) : tips_(std::move(tips)), encoding_(encoding) {}

    const std::vector<Tip>& tips() const { return tips_; }
    std::size_t size() const { return tips_.size(); }
    const Tip& at(std::size_t index) const { return tips_.at(index); }

    // "Přidej do tipů": both texts must be filled; the new tip is numbered count + 1. A ";"
    // becomes "," and a line break a space, as the file needs.
    bool add(std::string_view heading, std::string_view text);
    // "Uber tip".
    bool remove(std::size_t index);
    // "Zpět s uložením": numbers become 1, 2, 3 … in list order, then the file is replaced.
    FileResult save(const std::filesystem::path& path);

    // The file's bytes for the tips as they stand, each line "number;heading;text" CR LF.
    // Separators and line breaks inside a text would split the tip on reading: ";" becomes
    // "," and a line break a space.
    std::string fileBytes(TextEncoding& encoding) const;

private:
    void renumber();

    std::vector<Tip> tips_;
    TextEncoding encoding_ = TextEncoding::Windows1250;
};

// The letters t, i, p typed in this order (anything between them is allowed) reveal the
// editing mode.
class SecretSequence {
public:
    explicit SecretSequence(std::string_view letters = "tip") : letters_(letters) {}
    // True when this key completes the sequence; it then starts again.
    bool feed(char32_t key);

private:
    std::string letters_;
    std::size_t matched_ = 0;
};

}  // namespace lexo
