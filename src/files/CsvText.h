// Writing CSV: comma separated, CRLF line ends, RFC 4180 quoting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvalen::files {

// Whether a cell that ends with a blank is quoted. Exports and observation files quote it, so that a spreadsheet
// keeps the blank; the result files of a batch have always written it as it is, and keep doing so, so that results
// of one campaign compare equal from one version to the next.
enum class TrailingBlank { quoted, unquoted };

// Appends a cell as CSV: quoted where it holds a comma, a quote or a line break, or begins with a blank (which a
// spreadsheet would otherwise trim), or ends with one unless `trailing` says otherwise; a quote inside is doubled.
void appendCsvCell(std::string& line, std::string_view cell, TrailingBlank trailing = TrailingBlank::quoted);

// The cells as one CSV line, ended by CRLF.
std::string csvLine(const std::vector<std::string>& cells, TrailingBlank trailing = TrailingBlank::quoted);

// The cell as a spreadsheet must show it, not evaluate it: a text beginning with =, +, -, @, a tab or a carriage
// return gets a leading apostrophe, the guard spreadsheets honour ("=1+2" is written "'=1+2"). A number ("-3.250",
// "-1e-05") is never touched. For files written for people (exports, batch results), never for observation files,
// which the program reads back as typed.
std::string formulaGuarded(std::string_view cell);

// The cells as one CSV line, each guarded against formulas.
std::string guardedCsvLine(const std::vector<std::string>& cells, TrailingBlank trailing = TrailingBlank::quoted);

}  // namespace morvalen::files
