#include "statistics/statistics_file.h"

#include <utility>

#include "text/line_splitter.h"
#include "platform/atomic_file.h"

namespace lexo {

std::string_view testModeText(TestMode mode) {
    return mode == TestMode::TestOne ? kTestOneModeText : kTestTwoModeText;
}

namespace {

// The name without its last four characters, counted as characters and not bytes, so a
// Czech name never loses half a letter.
std::string withoutExtension(std::string_view field) {
    std::size_t end = field.size();
    for (int cut = 0; cut < 4; ++cut) {
        if (end == 0) return {};
        --end;
        while (end > 0 && (static_cast<unsigned char>(field[end]) & 0xC0) == 0x80) --end;
    }
    return std::string(field.substr(0, end));
}

// Lines as forEachLine counts them, so the rows can be reserved at once: growing a vector
// of 100,000 rows step by step moves every row many times.
std::size_t countLines(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    return lines + 1;
}

}  // namespace

StatisticsText parseStatisticsText(std::string_view bytes) {
    StatisticsText result;
    result.encoding = detectEncoding(bytes);
    std::string decoded;
    std::string_view text = bytes;
    if (result.encoding == TextEncoding::Windows1250) {
        decoded = decodeWindows1250(bytes);
        text = decoded;
    } else if (result.encoding == TextEncoding::Utf8WithBom) {
        text.remove_prefix(kUtf8Bom.size());
    }
    const std::size_t lines = countLines(text);
    result.rows.reserve(lines);
    adviseHugePages(result.rows.data(), lines * sizeof(StatisticsRow));
    forEachLine(text, [&](std::string_view line, std::size_t) {
        if (line.empty()) return;
        StatisticsRow& row = result.rows.emplace_back();
        std::size_t column = 0;
        std::size_t start = 0;
        while (column < kStatisticsColumnCount) {
            const std::size_t separator = line.find(';', start);
            const std::string_view field =
                line.substr(start, separator == std::string_view::npos ? std::string_view::npos : separator - start);
            row.fields[column] = column == 0 ? withoutExtension(field) : std::string(field);
            ++column;
            if (separator == std::string_view::npos) break;
            start = separator + 1;
        }
    });
    return result;
}

std::string buildStatisticsText(const std::vector<StatisticsRow>& rows, TextEncoding& encoding) {
    std::size_t size = 0;
    for (const StatisticsRow& row : rows) {
        if (!row.isStatisticsRow()) continue;
        for (const std::string& field : row.fields) size += field.size() + 1;
        size += 5;
    }
    std::string text;
    text.reserve(size);
    for (const StatisticsRow& row : rows) {
        if (!row.isStatisticsRow()) continue;
        text += row.dictionary();
        text += ".slv";
        for (std::size_t column = 1; column < kStatisticsColumnCount; ++column) {
            text += ';';
            text += row.fields[column];
        }
        text += "\r\n";
    }
    return encodeText(text, encoding);
}

}  // namespace lexo
