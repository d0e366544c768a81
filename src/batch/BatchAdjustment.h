// Adjusting one data set of a campaign exactly as the window would: the row's values, computed as typed.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command/RunRecord.h"
#include "files/CsvText.h"
#include "files/ObservationTable.h"

namespace morvalen::batch {

// A data set adjusted: the record of its run, what the computation formed before a stop included. The batch
// shows no fields; its results are written from the record's values.
struct BatchResult {
    std::size_t rowNumber = 0;
    std::string id;
    std::string rowError;  // the row could not be read as a data set
    RunRecord run;

    bool completed() const { return rowError.empty() && run.completed(); }
};

// Adjusts the rows of a campaign one after another, each as a computation of its own: the row's cells are the
// values as typed. One record is renewed between rows.
class BatchAdjuster {
public:
    explicit BatchAdjuster(const files::ColumnMap& columns) : columns_(columns) {}

    // The result of the row, or why the row could not be read; valid until the next call.
    const BatchResult& adjust(const files::TableRow& row);

private:
    const files::ColumnMap& columns_;
    BatchResult result_;
};

// One row on a window of its own.
BatchResult adjustRow(const files::ColumnMap& columns, const files::TableRow& row);

// Result columns: id, case, the closures, the precision figures, the adjusted angles in dd.mmss, name, X and Y of
// every table row, and the stop message. Each value formed before a stop is written from its stored value (single
// where the computation keeps a single) with the decimals of its field and without the unit; one not formed is
// empty.
const std::vector<std::string>& resultColumns();
std::vector<std::string> resultCells(const BatchResult& result);

// The quoting of the result files: a blank at the end of a cell is written as it is.
inline constexpr files::TrailingBlank resultQuoting = files::TrailingBlank::unquoted;

// One CSV line (CRLF) of a result file, quoting the cells that need it, a text that a spreadsheet would evaluate
// guarded by an apostrophe.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells);
void writeJsonLine(std::ostream& out, const BatchResult& result);
// The same with more columns after the result columns, their cells as texts.
void writeJsonLine(std::ostream& out, const BatchResult& result, const std::vector<std::string>& moreColumns,
                   const std::vector<std::string>& moreCells);

}  // namespace morvalen::batch
