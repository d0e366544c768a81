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

std::string csvLine(const std::vector<std::string>& cells, TrailingBlank trailing) {
    std::string line;
    line.reserve(512);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        appendCsvCell(line, cells[i], trailing);
    }
    line += "\r\n";
    return line;
}

std::string formulaGuarded(std::string_view cell) {
    if (cell.empty() || std::string_view("=+-@\t\r").find(cell.front()) == std::string_view::npos) return std::string(cell);
    if (numberChars::read(cell)) return std::string(cell);
    return "'" + std::string(cell);
}

std::string guardedCsvLine(const std::vector<std::string>& cells, TrailingBlank trailing) {
    std::vector<std::string> guarded;
    guarded.reserve(cells.size());
    for (const std::string& cell : cells) guarded.push_back(formulaGuarded(cell));
    return csvLine(guarded, trailing);
}

}  // namespace morvalen::files
