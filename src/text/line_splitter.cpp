#include "text/line_splitter.h"

namespace lexo {

std::vector<std::string_view> splitFieldViews(std::string_view line, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == separator) {
            pieces.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(line.substr(start));
    return pieces;
}

std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> pieces;
    for (std::string_view piece : splitFieldViews(line, separator)) pieces.emplace_back(piece);
    return pieces;
}

}  // namespace lexo
