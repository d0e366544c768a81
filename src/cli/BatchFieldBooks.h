// Field books in a campaign: a row names its book in the column field_book (a path relative to the campaign file's
// folder, or absolute), the book gives the row's angles where
// its angle cells are empty, and `batch --rigorous` adds the rigorous adjustment of each such row.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "batch/BatchAdjustment.h"
#include "cli/RigorousOptions.h"
#include "files/ObservationTable.h"

namespace morvalen::cli {

class BatchFieldBooks {
public:
    // `header` the campaign's header row; `campaign` the campaign file, whose folder the paths start from.
    BatchFieldBooks(const std::vector<std::string>& header, const std::filesystem::path& campaign,
                    const document::RigorousOptions& rigorous);

    bool present() const { return column_ != absent; }

    // The row, its eight angle cells filled from its book where they are all empty (reduced with the row's four
    // station names: A, P1, P2 and B, or P3 in the azimuth case). A book that cannot be read or reduced leaves the
    // row as it is; the reason goes into the rigorous note, and onto stderr.
    files::TableRow withBookAngles(const files::TableRow& row, const files::ColumnMap& columns);

    // The columns of the rigorous adjustment after the result columns (with --rigorous), and the cells of a row.
    static const std::vector<std::string>& rigorousColumns();
    std::vector<std::string> rigorousCells(const batch::BatchResult& result);

private:
    static constexpr std::size_t absent = std::size_t(-1);
    std::size_t column_ = absent;
    std::array<std::size_t, 8> angleAt_{};  // the columns b1..b8 of the header, absent where missing
    std::filesystem::path folder_;
    const document::RigorousOptions& rigorous_;
    std::optional<fieldbook::FieldBookReduction> reduction_;  // the book of the current row
    std::string note_;                                         // why the current row has no rigorous result
};

}  // namespace morvalen::cli
