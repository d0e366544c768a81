#include "batch/BatchAdjustment.h"

#include <nlohmann/json.hpp>
#include <string_view>

#include "adjust/AngleConversions.h"
#include "files/CsvText.h"
#include "form/FieldText.h"

namespace morvalen::batch {
namespace {

// The table of coordinates after the run: every station named as entered (A too, as the exports name it) and, once
// the coordinates are computed, with its coordinates to three decimals.
void appendTableCells(const BatchResult& result, std::vector<std::string>& cells) {
    const SurveyState& state = result.run.state;
    const bool coordinatesShown = result.run.steps.coordinatesCalled && result.run.completed();
    const int computedRows = runCase(state) == RunCase::azimuth ? state.upperBound4 : state.upperBound3;
    for (int r = 0; r < form::tableRows; ++r) {
        const auto at = static_cast<std::size_t>(r);
        const bool named = at < state.pointNames.size();
        if (coordinatesShown && r == 0) {
            cells.insert(cells.end(), {named ? state.pointNames[0] : "A", state.xa.display(Pattern::threeDecimals),
                                       state.ya.display(Pattern::threeDecimals)});
        } else if (coordinatesShown && r <= computedRows) {
            cells.insert(cells.end(), {state.pointNames[at], roundedFixed(state.pointX[at], 3),
                                       roundedFixed(state.pointY[at], 3)});
        } else {
            cells.insert(cells.end(), {named ? state.pointNames[at] : std::string(), std::string(), std::string()});
        }
    }
}

}  // namespace

const BatchResult& BatchAdjuster::adjust(const files::TableRow& row) {
    result_.rowError.clear();
    result_.rowNumber = row.rowNumber;
    result_.id = columns_.id(row);
    // Every row starts from an empty state: nothing of the row before reaches it.
    RunRecord& run = result_.run;
    run.state = SurveyState{};
    try {
        columns_.readObservations(row, run.observations);
    } catch (const std::invalid_argument& malformed) {
        run = RunRecord{};  // a row that is no data set leaves an empty record
        result_.rowError = malformed.what();
        return result_;
    }
    computeTypedRun(run);  // renews the steps and the stop
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
    const SurveyState& state = result.run.state;
    cells.push_back(caseKey(runCase(state)));
    // The results of the adjustment, each written once the run has formed it.
    const AdjustmentResults results = result.run.results();
    const auto formed = [](const auto& value, auto text) { return value ? text(*value) : std::string(); };
    const auto twoDecimals = [](double value) { return roundedFixed(value, 2); };
    cells.push_back(formed(results.w1, twoDecimals));
    cells.push_back(formed(results.w2, twoDecimals));
    cells.push_back(formed(results.w3, twoDecimals));
    cells.push_back(formed(results.w4, twoDecimals));
    cells.push_back(formed(results.mb, twoDecimals));
    cells.push_back(formed(results.invPlgs, reciprocalWeightText));
    cells.push_back(formed(results.mlgs, twoDecimals));
    cells.push_back(formed(results.relativeErrorDenominator, [](float m) { return "1/" + generalForm(m); }));
    for (std::size_t k = 1; k <= 8; ++k) {
        const auto degrees = results.anglesAdjusted() ? state.adjustedAngles[k].numericValue() : std::nullopt;
        cells.push_back(degrees ? roundedFixed(toDms(*degrees), 5) : std::string());
    }
    appendTableCells(result, cells);
    cells.push_back(result.run.stop ? result.run.stop->what() : std::string());
    return cells;
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
    out << files::guardedCsvLine(cells, resultQuoting);
}

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
