// The field book as a file: a CSV of one pointing a row, read by the campaign reader.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/DirectionReduction.h"

namespace morvalen::fieldbook {

// The columns of a field book, by name in the header row (in any order; other columns are left alone).
inline constexpr const char* fieldBookColumns[] = {"station", "round", "target", "left", "right"};
// The optional column of the horizontal distance measured with a pointing, metres; a cell may be empty.
inline constexpr const char* optionalDistanceColumn = "distance";

// The pointings of a total station's raw file (fieldbook/RawFieldBook.h), told by its content; otherwise the
// pointings of the field book at `path`, in file order, each cell trimmed of blanks, each with the spreadsheet
// row it stands on; rows of blank cells are left out. Throws FieldBookError for a file that cannot be read, has no
// header, lacks one of the columns, or has a row of another width than the header.
std::vector<Pointing> readFieldBook(const std::filesystem::path& path);

}  // namespace morvalen::fieldbook
