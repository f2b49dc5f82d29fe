#pragma once

#include <string>
#include <string_view>

#include "tools/exchange.h"

namespace lexo {

// Delimited text as spreadsheets write it (RFC 4180): fields holding the separator, quotes
// or line breaks are quoted, a quote inside is doubled. Columns: foreign, Czech, optional
// pronunciation. UTF-8 with or without a BOM; a file that is not UTF-8 is read as
// Windows-1250. Rows with nothing in them are passed over.
//
// separator 0 means CSV with the separator guessed from the first row: Czech spreadsheets
// write ";" where others write ",".
ExchangeImport parseDelimited(std::string bytes, char separator = 0);

// UTF-8 without a BOM, CR LF after each row; the pronunciation column only when some
// expression has a pronunciation.
std::string buildDelimited(const ExpressionTable& table, char separator);

}  // namespace lexo
