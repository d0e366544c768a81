// Adjusting one data set of a campaign exactly as the window would: the same prompts, answered from the row.
#pragma once

#include <algorithm>
#include <optional>
#include <string_view>
#include <ostream>
#include <string>
#include <vector>

#include "batch/ObservationTable.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "entry/SurveyState.h"

namespace morvalen::batch {

// The fields a result row is made of: the closures and precision figures (Text8–Text11, Text15–Text18) and the
// coordinate table (Text12–Text14). The echoes of the entered values are not shown, and so not formed.
class ResultFields : public FieldModel {
public:
    bool shows(const Control& field) const override;
};

struct BatchResult {
    std::size_t rowNumber = 0;
    std::string id;
    std::string rowError;  // the row could not be read as a data set
    std::optional<RunStopped> stop;
    SurveyState state;
    ResultFields fields;

    bool completed() const { return rowError.empty() && !stop; }
};

// Adjusts the rows of a campaign one after another, each on a fresh window: the compute command is answered from
// the row, every entry prompt with its cell and every confirmation with Enter. The window's state and fields are
// renewed in place between rows, so that a long campaign allocates next to nothing per row.
class BatchAdjuster {
public:
    explicit BatchAdjuster(const ColumnMap& columns) : columns_(columns) {}

    // The result of the row, or why the row could not be read; valid until the next call.
    const BatchResult& adjust(const TableRow& row);

private:
    const ColumnMap& columns_;
    BatchResult result_;
};

// One row on a window of its own.
BatchResult adjustRow(const ColumnMap& columns, const TableRow& row);

// Result columns: id, case, the closures, the precision figures, the adjusted angles in dd.mmss, name, X and Y of
// every table row, and the stop message. Numbers are the window's texts without the leading blank and the unit.
const std::vector<std::string>& resultColumns();
std::vector<std::string> resultCells(const BatchResult& result);

// Result lines waiting to be written: they are appended in place and written out in large pieces.
class OutputBuffer {
public:
    // Room for `bytes` more characters at the end, valid until the next call; `commit` keeps what was written.
    char* room(std::size_t bytes) {
        if (size_ + bytes > storage_.size()) storage_.resize(std::max(2 * storage_.size(), size_ + bytes));
        return storage_.data() + size_;
    }
    void commit(const char* end) { size_ = static_cast<std::size_t>(end - storage_.data()); }
    void append(std::string_view text) { commit(std::copy(text.begin(), text.end(), room(text.size()))); }

    std::string_view text() const { return {storage_.data(), size_}; }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }

private:
    std::vector<char> storage_;
    std::size_t size_ = 0;
};

// One CSV line (CRLF), quoting the cells that need it.
void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells);
// The result row of a data set as one CSV line, the cells written straight from the result: the same text as
// writeCsvRow of resultCells.
void appendResultCsv(OutputBuffer& out, const BatchResult& result);
void writeJsonLine(std::ostream& out, const BatchResult& result);

}  // namespace morvalen::batch
