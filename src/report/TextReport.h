// The report on a terminal: the same lines and tab columns, counted in character cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/ReportModel.h"

namespace morvalen::report {

// Cells a character takes on a terminal: 2 for the wide and full-width characters of East Asian scripts (Chinese
// characters, kana, hangul, full-width forms, CJK punctuation), 0 for combining marks and zero-width characters, 1
// for every other character.
int terminalCells(char32_t character);

// Cells of a UTF-8 text; a byte that does not start a well-formed sequence counts as one cell.
int terminalWidth(std::string_view utf8);

// The report as text, one row per output line ending in '\n', each text at its column in cells. Rows carry no
// trailing blanks.
std::string renderText(const std::vector<Line>& lines);

}  // namespace morvalen::report
