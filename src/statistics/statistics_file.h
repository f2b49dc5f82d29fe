#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/text_codec.h"
#include "statistics/statistics_row.h"

namespace lexo {

struct StatisticsText {
    std::vector<StatisticsRow> rows;
    TextEncoding encoding = TextEncoding::Windows1250;
};

// The file's lines are "name.slv;date;time;correct;wrong;success;finished;mode". Field 0
// loses its last four characters (the ".slv"; four or fewer leave an empty name), fields a
// short line lacks are empty, fields past the eighth are dropped. A zero-length line is no
// row, as in every other text file of the program. Never fails: any bytes give rows.
StatisticsText parseStatisticsText(std::string_view bytes);

// One line per statistics row, ".slv" put back after the name, each line ended by CR LF;
// rows without a name are left out. `encoding` is what the file was read in and becomes
// what it is written in (UTF-8 when Windows-1250 cannot hold a character).
std::string buildStatisticsText(const std::vector<StatisticsRow>& rows, TextEncoding& encoding);

}  // namespace lexo
