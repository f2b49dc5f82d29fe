#include "tools/print_list.h"

namespace lexo {
namespace {

bool& flag(PrintColumns& columns, PrintColumn column) {
    switch (column) {
    case PrintColumn::Czech: return columns.czech;
    case PrintColumn::Foreign: return columns.foreign;
    case PrintColumn::Pronunciation: break;
    }
    return columns.pronunciation;
}

}  // namespace

bool PrintColumns::shows(PrintColumn column) const {
    PrintColumns copy = *this;
    return flag(copy, column);
}

std::vector<PrintLine> printListLines(const ExpressionTable& expressions, const PrintColumns& columns) {
    std::vector<PrintLine> lines;
    lines.reserve(expressions.size());
    for (std::size_t row = 0; row < expressions.size(); ++row) {
        PrintLine line;
        bool any = false;
        for (const auto& [shown, field] : {std::pair{columns.czech, expressions.czech(row)},
                                           std::pair{columns.foreign, expressions.foreign(row)},
                                           std::pair{columns.pronunciation, expressions.pronunciation(row)}}) {
            if (!shown) continue;
            if (!any) {
                line.text.assign(field);
                line.boldBytes = field.size();
                any = true;
            } else {
                line.text.append(kPrintFieldSeparator).append(field);
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool PrintColumnChoice::toggle(PrintColumn column, bool checked, Prompter& prompter) {
    PrintColumns wanted = columns_;
    flag(wanted, column) = checked;
    if (wanted.count() < 2) {
        prompter.information(kTooFewPrintColumnsMessage);
        return false;
    }
    columns_ = wanted;
    return true;
}

}  // namespace lexo
