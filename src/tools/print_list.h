#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/expression_table.h"
#include "platform/ports.h"

namespace lexo {

inline constexpr std::string_view kTooFewPrintColumnsMessage = "Musí být zaškrtnuty nejméně dvě možnosti.";
inline constexpr std::string_view kPrintFieldSeparator = " - ";

// One line of the list to print: its first field is shown bold.
struct PrintLine {
    std::string text;
    std::size_t boldBytes = 0;  // the first field at the start of the line

    bool operator==(const PrintLine&) const = default;
};

enum class PrintColumn {
    Czech,          // "Český překlad"
    Foreign,        // "Cizí překlad"
    Pronunciation,  // "Výslovnost"
};

// Which fields the list shows, always in the order Czech, foreign, pronunciation.
struct PrintColumns {
    bool czech = true;
    bool foreign = true;
    bool pronunciation = true;

    int count() const { return int(czech) + int(foreign) + int(pronunciation); }
    bool shows(PrintColumn column) const;
    bool operator==(const PrintColumns&) const = default;
};

// The lines of `expressions` (dictionary order, so the Czech text is Czech whatever the
// test's direction): the chosen fields joined by " - ", the first one bold.
std::vector<PrintLine> printListLines(const ExpressionTable& expressions, const PrintColumns& columns);

// The three column boxes: at least two stay checked.
class PrintColumnChoice {
public:
    const PrintColumns& columns() const { return columns_; }
    // A box was clicked into `checked`. False, with the message, when fewer than two columns
    // would remain: the box is to be checked again and nothing else changes.
    bool toggle(PrintColumn column, bool checked, Prompter& prompter);

private:
    PrintColumns columns_;
};

}  // namespace lexo
