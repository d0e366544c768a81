// Writing CSV: comma separated, CRLF line ends, RFC 4180 quoting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvalen::files {

// A cell as CSV: quoted where it holds a comma, a quote or a line break, or begins or ends with a blank (which a
// spreadsheet would otherwise trim); a quote inside is doubled.
std::string csvCell(std::string_view cell);

// The cells as one CSV line, ended by CRLF.
std::string csvLine(const std::vector<std::string>& cells);

}  // namespace morvalen::files
