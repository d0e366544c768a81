#include "files/CsvText.h"

namespace morvalen::files {

std::string csvCell(std::string_view cell) {
    const bool quoted = cell.find_first_of(",\"\r\n") != std::string_view::npos || cell.starts_with(' ') ||
                        cell.ends_with(' ');
    if (!quoted) return std::string(cell);
    std::string text = "\"";
    for (const char c : cell) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + '"';
}

std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        line += csvCell(cells[i]);
    }
    return line + "\r\n";
}

}  // namespace morvalen::files
