// The field book written as CSV: what was read from a raw file, for the surveyor to check or edit and read again.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "fieldbook/DirectionReduction.h"

namespace morvalen::fieldbook {

// The columns written: the field book's own five, then the optional ones a reader leaves alone or uses:
// distance (the pointing's horizontal distance, metres), each face's slope distance (metres) and zenith angle
// (dd.mmss), the target and instrument heights (metres). A cell is empty where the book has no value.
inline constexpr const char* writtenFieldBookColumns[] = {
    "station", "round", "target", "left", "right", "distance", "slope_left", "zenith_left", "slope_right",
    "zenith_right", "target_height", "instrument_height"};

// The CSV text, UTF-8 with its byte-order mark (for spreadsheets), CRLF line ends.
std::string fieldBookCsv(const std::vector<Pointing>& pointings);

// Writes it to `path` through the one writer (a temporary file, then renamed); `input`, the book read, is never
// replaced. Throws files::FileNotWritten.
void saveFieldBook(const std::filesystem::path& path, const std::vector<Pointing>& pointings,
                   const std::filesystem::path& input);

}  // namespace morvalen::fieldbook
