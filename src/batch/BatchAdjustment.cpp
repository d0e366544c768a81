#include "batch/BatchAdjustment.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string_view>

#include "adjust/AngleConversions.h"
#include "command/ComputeCommand.h"
#include "files/RowAnswers.h"
#include "form/FieldText.h"

namespace morvalen::batch {
namespace {

const char* caseName(const SurveyState& state) {
    switch (runCase(state)) {
    case RunCase::knownSide: return "known-side";
    case RunCase::azimuth: return "azimuth";
    case RunCase::mixed: return "mixed";
    }
    return "";
}

// " 2.00 秒" → "2.00": the number as the window shows it, without the leading blank and the unit.
std::string shownNumber(std::string text) {
    if (text.starts_with(' ')) text.erase(0, 1);
    for (const std::string_view unit : {secondsUnit(), logUnitsUnit()}) {
        if (text.ends_with(unit)) text.resize(text.size() - unit.size());
    }
    return text;
}

// Appends a cell as CSV: quoted (RFC 4180) where it holds a comma, a quote or a line break, or begins with a blank.
void appendCsvCell(std::string& line, const std::string& cell) {
    const bool quoted = cell.starts_with(' ') || std::any_of(cell.begin(), cell.end(), [](char c) {
                            return c == ',' || c == '"' || c == '\r' || c == '\n';
                        });
    if (!quoted) {
        line += cell;
        return;
    }
    line += '"';
    for (char c : cell) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

}  // namespace

const BatchResult& BatchAdjuster::adjust(const files::TableRow& row) {
    result_ = BatchResult();
    result_.rowNumber = row.rowNumber;
    result_.id = columns_.id(row);
    try {
        columns_.checkWidth(row);
    } catch (const std::invalid_argument& malformed) {
        result_.rowError = malformed.what();
        return result_;
    }
    files::RowPrompt prompt(columns_, row);
    try {
        runComputeCommand(result_.state, prompt, result_.fields);
    } catch (const RunStopped& stop) {
        result_.stop = stop;
    }
    return result_;
}

BatchResult adjustRow(const files::ColumnMap& columns, const files::TableRow& row) {
    BatchAdjuster adjuster(columns);
    return adjuster.adjust(row);
}

const std::vector<std::string>& resultColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names = {"row", "id", "case", "w1", "w2", "wa", "wb", "mb", "inv_plgs", "mlogs",
                                          "relative_error"};
        for (int k = 1; k <= 8; ++k) names.push_back("adjusted_b" + std::to_string(k));
        for (int r = 0; r <= 4; ++r) {
            for (const char* column : {"name_", "x_", "y_"}) names.push_back(column + std::to_string(r));
        }
        names.push_back("stop");
        return names;
    }();
    return columns;
}

std::vector<std::string> resultCells(const BatchResult& result) {
    std::vector<std::string> cells;
    cells.reserve(resultColumns().size());
    cells.push_back(std::to_string(result.rowNumber));
    cells.push_back(result.id);
    if (!result.rowError.empty()) {
        cells.resize(resultColumns().size() - 1);
        cells.push_back(result.rowError);
        return cells;
    }
    const FieldModel& fields = result.fields;
    cells.push_back(caseName(result.state));
    for (const Control& field : {form::w1, form::w2, form::wa, form::wb, form::mb, form::reciprocalWeight, form::mlogs,
                                 form::relativeError}) {
        cells.push_back(shownNumber(fields.text(field)));
    }
    // The adjusted angles exist once the corrections have been applied, which is when mb is shown.
    const bool adjusted = !fields.text(form::mb).empty();
    for (std::size_t k = 1; k <= 8; ++k) {
        const auto degrees = adjusted ? result.state.adjustedAngles[k].numericValue() : std::nullopt;
        cells.push_back(degrees ? roundedFixed(toDms(*degrees), 5) : std::string());
    }
    for (int r = 0; r < form::tableRows; ++r) {
        for (const Control& cell : {form::stationName(r), form::stationX(r), form::stationY(r)}) {
            cells.push_back(shownNumber(fields.text(cell)));
        }
    }
    cells.push_back(result.stop ? result.stop->what() : std::string());
    return cells;
}

std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    line.reserve(512);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        appendCsvCell(line, cells[i]);
    }
    line += "\r\n";
    return line;
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) { out << csvLine(cells); }

void writeJsonLine(std::ostream& out, const BatchResult& result) { writeJsonLine(out, result, {}, {}); }

void writeJsonLine(std::ostream& out, const BatchResult& result, const std::vector<std::string>& moreColumns,
                   const std::vector<std::string>& moreCells) {
    const auto cells = resultCells(result);
    nlohmann::ordered_json line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string& column = resultColumns()[i];
        if (column == "row") line[column] = result.rowNumber;
        else if (column == "stop") line[column] = cells[i].empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(cells[i]);
        else line[column] = cells[i];
    }
    for (std::size_t i = 0; i < moreColumns.size() && i < moreCells.size(); ++i) line[moreColumns[i]] = moreCells[i];
    out << line.dump() << '\n';
}

}  // namespace morvalen::batch
