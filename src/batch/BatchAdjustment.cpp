#include "batch/BatchAdjustment.h"

#include <csv.h>

#include <deque>
#include <nlohmann/json.hpp>

#include "adjust/AdjustmentRun.h"
#include "adjust/AngleConversions.h"
#include "adjust/ResultText.h"

namespace morvalen::batch {
namespace {

// Answers the entry prompts from the data set in order and every confirmation with Enter.
class DataSetPrompt : public Prompt {
public:
    explicit DataSetPrompt(std::vector<std::string> values) : values_(values.begin(), values.end()) {}

    std::string ask(const std::string& promptText) override {
        if (promptText.rfind("确认", 0) == 0 || values_.empty()) return {};
        std::string value = std::move(values_.front());
        values_.pop_front();
        return value;
    }

private:
    std::deque<std::string> values_;
};

std::vector<std::string> entryValues(const DataSet& set) {
    SurveyState caseOnly;
    caseOnly.xb = EntryValue::text(set.xb);
    caseOnly.yb = EntryValue::text(set.yb);
    const RunCase kind = runCase(caseOnly);
    std::vector<std::string> values = {set.xa, set.ya, set.xb, set.yb};
    if (kind == RunCase::azimuth) {
        values.insert(values.end(), {set.startSideLength, set.startSideNumber, set.Ta, set.Qa});
    }
    values.insert(values.end(), {set.nameA, set.nameP1, set.nameP2});
    if (kind == RunCase::azimuth) values.push_back(set.nameP3);
    values.push_back(set.nameClosing);
    values.insert(values.end(), set.angles.begin(), set.angles.end());
    return values;
}

const char* caseName(const SurveyState& state) {
    switch (runCase(state)) {
    case RunCase::knownSide: return "known-side";
    case RunCase::azimuth: return "azimuth";
    case RunCase::mixed: return "mixed";
    }
    return "";
}

// " 2.00 秒" → "2.00": the number as the window shows it.
std::string shownNumber(std::string text) {
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    for (const std::string unit : {" 秒", " 单位"}) {
        if (text.size() >= unit.size() && text.compare(text.size() - unit.size(), unit.size(), unit) == 0) {
            text.erase(text.size() - unit.size());
        }
    }
    return text;
}

}  // namespace

BatchResult adjustDataSet(const DataSet& set, std::size_t rowNumber) {
    BatchResult result;
    result.rowNumber = rowNumber;
    result.id = set.id;
    DataSetPrompt prompt(entryValues(set));
    try {
        runComputeCommand(result.state, prompt, result.fields);
    } catch (const RunStopped& stop) {
        result.stop = stop;
    }
    return result;
}

BatchResult adjustRow(const ColumnMap& columns, const TableRow& row) {
    try {
        return adjustDataSet(columns.dataSet(row), row.rowNumber);
    } catch (const std::invalid_argument& malformed) {
        BatchResult result;
        result.rowNumber = row.rowNumber;
        result.id = columns.id(row);
        result.rowError = malformed.what();
        return result;
    }
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
    std::vector<std::string> cells = {std::to_string(result.rowNumber), result.id};
    if (!result.rowError.empty()) {
        cells.resize(resultColumns().size());
        cells.back() = result.rowError;
        return cells;
    }
    const FieldModel& fields = result.fields;
    cells.push_back(caseName(result.state));
    for (const char* field : {"Text15", "Text16", "Text17", "Text18", "Text8", "Text9", "Text10", "Text11"}) {
        cells.push_back(shownNumber(fields.text({field})));
    }
    // The adjusted angles exist once the corrections have been applied, which is when mb is shown.
    const bool adjusted = !fields.text({"Text8"}).empty();
    for (int k = 1; k <= 8; ++k) {
        const auto degrees = result.state.adjustedAngles.size() > 8
                                 ? result.state.adjustedAngles[static_cast<std::size_t>(k)].numericValue()
                                 : std::nullopt;
        cells.push_back(adjusted && degrees ? roundedFixed(toDms(*degrees), 5) : "");
    }
    for (int r = 0; r <= 4; ++r) {
        cells.push_back(shownNumber(fields.text({"Text12", r})));
        cells.push_back(shownNumber(fields.text({"Text13", r})));
        cells.push_back(shownNumber(fields.text({"Text14", r})));
    }
    cells.push_back(result.stop ? result.stop->what() : "");
    return cells;
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& cell = cells[i];
        if (cell.find_first_of(",\"\r\n") == std::string::npos && cell.find(' ') != 0) {
            line += cell;
            continue;
        }
        std::string quoted(csv_write(nullptr, 0, cell.data(), cell.size()), '\0');
        csv_write(quoted.data(), quoted.size(), cell.data(), cell.size());
        line += quoted;
    }
    out << line << "\r\n";
}

void writeJsonLine(std::ostream& out, const BatchResult& result) {
    const auto cells = resultCells(result);
    nlohmann::ordered_json line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string& column = resultColumns()[i];
        if (column == "row") line[column] = result.rowNumber;
        else if (column == "stop") line[column] = cells[i].empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(cells[i]);
        else line[column] = cells[i];
    }
    out << line.dump() << '\n';
}

}  // namespace morvalen::batch
