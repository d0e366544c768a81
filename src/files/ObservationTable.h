// A campaign of braced quadrilaterals kept in a spreadsheet: one data set a row, a header row naming the columns.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "entry/Observations.h"

namespace morvalen::files {

// A file that cannot be read as a campaign at all: empty, no header, unknown or missing columns.
class CampaignFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TableRow {
    std::size_t rowNumber = 0;       // 1 for the first data row after the header, blank rows not counted
    std::size_t sheetRow = 0;        // the row as a spreadsheet shows the file: the header's first line is row 1
    std::vector<std::string> cells;  // as written, UTF-8, nothing trimmed
};

struct CsvTable {
    std::vector<std::string> header;
    std::vector<TableRow> rows;
};

// Parses CSV text (RFC 4180 quoting, comma separated, CRLF, LF or CR, UTF-8 with or without a byte-order mark;
// files in other encodings are decoded first by files/CsvFile.h). Cells keep their blanks; bytes that are not UTF-8
// become U+FFFD. Blank rows (empty lines, rows of empty cells) are skipped, and counted in `sheetRow`.
// `onHeader` receives the header, then `onRow` each data row in file order. The
// row handed to `onRow` is reused for the next one, so a campaign of any length is read with the storage of one row.
// An exception thrown by either is passed on once the reading has stopped. Throws CampaignFileError for a file with
// no header.
void readCsvRows(std::string_view bytes, const std::function<void(const std::vector<std::string>&)>& onHeader,
                 const std::function<void(const TableRow&)>& onRow);

// The same reading for a file that arrives in pieces, cut anywhere, even inside a cell or a character: `read` each
// piece in turn, then `finish`. Rows are handed on as soon as they are complete; an exception thrown by a receiver
// is passed on by the call that read its row, and nothing more is read after it.
class CsvRowReader {
public:
    CsvRowReader(std::function<void(const std::vector<std::string>&)> onHeader,
                 std::function<void(const TableRow&)> onRow);
    ~CsvRowReader();
    CsvRowReader(const CsvRowReader&) = delete;
    CsvRowReader& operator=(const CsvRowReader&) = delete;

    void read(std::string_view piece);
    // The last row, if the file does not end with a line break. Throws CampaignFileError for a file with no header.
    void finish();

private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};

// The columns of a campaign file, in the order a new file is written.
enum class Column {
    id, xa, ya, xb, yb, startSideLength, startSideNumber, Ta, Qa,
    nameA, nameP1, nameP2, nameP3, nameClosing, b1, b2, b3, b4, b5, b6, b7, b8
};
inline constexpr std::size_t columnCount = 22;

// The column of a campaign file that holds a value of the entry sequence.
constexpr Column columnOf(EnteredValue value) {
    switch (value) {
    case EnteredValue::xa: return Column::xa;
    case EnteredValue::ya: return Column::ya;
    case EnteredValue::xb: return Column::xb;
    case EnteredValue::yb: return Column::yb;
    case EnteredValue::startSideLength: return Column::startSideLength;
    case EnteredValue::startSideNumber: return Column::startSideNumber;
    case EnteredValue::Ta: return Column::Ta;
    case EnteredValue::Qa: return Column::Qa;
    case EnteredValue::nameA: return Column::nameA;
    case EnteredValue::nameP1: return Column::nameP1;
    case EnteredValue::nameP2: return Column::nameP2;
    case EnteredValue::nameP3: return Column::nameP3;
    case EnteredValue::nameClosing: return Column::nameClosing;
    case EnteredValue::b1: return Column::b1;
    case EnteredValue::b2: return Column::b2;
    case EnteredValue::b3: return Column::b3;
    case EnteredValue::b4: return Column::b4;
    case EnteredValue::b5: return Column::b5;
    case EnteredValue::b6: return Column::b6;
    case EnteredValue::b7: return Column::b7;
    case EnteredValue::b8: return Column::b8;
    }
    return Column::id;
}

// The text a data set holds for a column; the empty text for the id column, which no data set holds.
const std::string& textOf(const Observations& observations, Column column);

// Column names of the header, in the order of Column.
const std::vector<std::string>& campaignColumns();

// The optional column of a campaign that names a row's field book (read by the batch, not a value typed).
inline constexpr const char* fieldBookColumn = "field_book";

// The names as a message lists them: "a", "b".
std::string quotedList(const std::vector<std::string>& names);

// Throws CampaignFileError naming the separator of a file saved with semicolons, tabs or full-width commas or
// semicolons, whose header reads as one column that holds all the names.
void refuseOtherSeparators(const std::vector<std::string>& header);

// Maps the header to the data-set fields; columns of other names (a 备注 column) are read past. Throws
// CampaignFileError naming repeated or missing columns (id, start_side_length, start_side_number, Ta, Qa and name_P3
// may be left out), or the separator of a file that is separated by semicolons or tabs.
class ColumnMap {
public:
    explicit ColumnMap(const std::vector<std::string>& header);

    // The columns read past, in file order.
    const std::vector<std::string>& unknownColumns() const { return unknown_; }

    // The data set of a row as typed; throws std::invalid_argument when the row has the wrong number of cells.
    Observations observations(const TableRow& row) const;
    // The same into an existing data set, every value replaced (the batch renews one row after row).
    void readObservations(const TableRow& row, Observations& typed) const;

    // The id of a row, also of one that has the wrong number of cells; empty without an id column.
    std::string id(const TableRow& row) const;

    // The cell of a column in a row of the header's width; empty where the file has no such column.
    std::string_view cell(const TableRow& row, Column column) const {
        const std::size_t at = positions_[static_cast<std::size_t>(column)];
        return at != absent ? std::string_view(row.cells[at]) : std::string_view();
    }

    // Throws std::invalid_argument, naming both counts, when the row has the wrong number of cells.
    void checkWidth(const TableRow& row) const;

private:
    // By Column: the cell's index in a row, or `absent`. A plain index, not an optional, is read in one load.
    static constexpr std::size_t absent = std::size_t(-1);
    std::array<std::size_t, columnCount> positions_;
    std::size_t width_;
    std::vector<std::string> unknown_;
};

}  // namespace morvalen::files
