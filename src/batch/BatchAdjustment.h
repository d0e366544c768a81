// Adjusting one data set of a campaign exactly as the window would: the same prompts, answered from the row.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command/ComputeCommand.h"
#include "files/CsvText.h"
#include "files/ObservationTable.h"
#include "entry/FrontEnd.h"
#include "entry/RunStopped.h"
#include "entry/SurveyState.h"

namespace morvalen::batch {

// A data set adjusted: the survey state with the values as the computation stored them, and what it formed before a
// stop. The batch shows no fields; its results are written from these values.
struct BatchResult {
    std::size_t rowNumber = 0;
    std::string id;
    std::string rowError;  // the row could not be read as a data set
    std::optional<RunStopped> stop;
    SurveyState state;
    ComputationSteps steps;

    bool completed() const { return rowError.empty() && !stop; }
};

// Adjusts the rows of a campaign one after another, each on a fresh survey state: the compute command is answered
// from the row, every entry prompt with its cell and every confirmation with Enter. One state is renewed between
// rows.
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

// One CSV line (CRLF) of a result file, quoting the cells that need it.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells);
void writeJsonLine(std::ostream& out, const BatchResult& result);
// The same with more columns after the result columns, their cells as texts.
void writeJsonLine(std::ostream& out, const BatchResult& result, const std::vector<std::string>& moreColumns,
                   const std::vector<std::string>& moreCells);

}  // namespace morvalen::batch
