#include "files/CsvText.h"

#include "form/NumberChars.h"

namespace morvalen::files {

void appendCsvCell(std::string& line, std::string_view cell, TrailingBlank trailing) {
    // One plain pass over the characters: most cells are short numbers that need no quotes.
    bool quoted = cell.starts_with(' ') || (trailing == TrailingBlank::quoted && cell.ends_with(' '));
    for (const char c : cell) quoted = quoted || c == ',' || c == '"' || c == '\r' || c == '\n';
    if (!quoted) {
        line += cell;
        return;
    }
    line += '"';
    for (const char c : cell) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

namespace {

// A text a spreadsheet would evaluate: beginning with =, +, -, @, a tab or a carriage return, and no number.
bool formulaLike(std::string_view cell) {
    if (cell.empty()) return false;
    const char first = cell.front();
    return (first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' || first == '\r') &&
           !numberChars::read(cell);
}

// The cells as one line, each cell guarded against formulas when `guarded`; no copy of a cell that needs no guard.
std::string lineOf(const std::vector<std::string>& cells, TrailingBlank trailing, bool guarded) {
    std::string line;
    line.reserve(512);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        if (guarded && formulaLike(cells[i])) {
            appendCsvCell(line, "'" + cells[i], trailing);
        } else {
            appendCsvCell(line, cells[i], trailing);
        }
    }
    line += "\r\n";
    return line;
}

}  // namespace

std::string csvLine(const std::vector<std::string>& cells, TrailingBlank trailing) {
    return lineOf(cells, trailing, false);
}

std::string formulaGuarded(std::string_view cell) {
    return formulaLike(cell) ? "'" + std::string(cell) : std::string(cell);
}

std::string guardedCsvLine(const std::vector<std::string>& cells, TrailingBlank trailing) {
    return lineOf(cells, trailing, true);
}

}  // namespace morvalen::files
