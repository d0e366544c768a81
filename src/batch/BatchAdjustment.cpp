#include "batch/BatchAdjustment.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string_view>

#include "adjust/AdjustmentRun.h"
#include "adjust/AngleConversions.h"
#include "adjust/ResultText.h"

namespace morvalen::batch {
namespace {

// The cells that answer the entry prompts, in the order the compute command asks for them in each case.
constexpr Column knownSideOrMixedAnswers[] = {Column::xa,     Column::ya,     Column::xb,         Column::yb,
                                              Column::nameA,  Column::nameP1, Column::nameP2,     Column::nameClosing,
                                              Column::b1,     Column::b2,     Column::b3,         Column::b4,
                                              Column::b5,     Column::b6,     Column::b7,         Column::b8};
constexpr Column azimuthAnswers[] = {Column::xa,     Column::ya,     Column::xb,     Column::yb,
                                     Column::startSideLength, Column::startSideNumber, Column::Ta, Column::Qa,
                                     Column::nameA,  Column::nameP1, Column::nameP2, Column::nameP3,
                                     Column::nameClosing, Column::b1, Column::b2,   Column::b3,
                                     Column::b4,     Column::b5,     Column::b6,     Column::b7,
                                     Column::b8};

// Answers the entry prompts from the row in order and every confirmation with Enter. From the fifth entry on the
// order follows the case, which the coordinates of B, as the window has accepted them, decide.
class RowPrompt : public Prompt {
public:
    RowPrompt(const ColumnMap& columns, const TableRow& row, const SurveyState& state)
        : columns_(columns), row_(row), state_(state) {}

    std::string ask(const std::string& promptText) override {
        if (promptText.starts_with("确认")) return {};
        if (next_ == 4 && runCase(state_) == RunCase::azimuth) {
            answers_ = azimuthAnswers;
            answerCount_ = std::size(azimuthAnswers);
        }
        if (next_ == answerCount_) return {};
        return std::string(columns_.cell(row_, answers_[next_++]));
    }

private:
    const ColumnMap& columns_;
    const TableRow& row_;
    const SurveyState& state_;
    const Column* answers_ = knownSideOrMixedAnswers;
    std::size_t answerCount_ = std::size(knownSideOrMixedAnswers);
    std::size_t next_ = 0;
};

const char* caseName(const SurveyState& state) {
    switch (runCase(state)) {
    case RunCase::knownSide: return "known-side";
    case RunCase::azimuth: return "azimuth";
    case RunCase::mixed: return "mixed";
    }
    return "";
}

// " 2.00 秒" → "2.00": the number as the window shows it.
std::string_view shownNumber(std::string_view text) {
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    // A unit ends in a byte of a CJK character; most texts end in a digit and are done.
    if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0x80) {
        for (const std::string_view unit : {" 秒", " 单位"}) {
            if (text.ends_with(unit)) text.remove_suffix(unit.size());
        }
    }
    return text;
}

// Hands each result cell, in the order of resultColumns(), to `cell` as a string_view.
template <class CellSink>
void forEachResultCell(const BatchResult& result, CellSink&& cell) {
    char rowNumber[24];
    cell(std::string_view(rowNumber, static_cast<std::size_t>(
                                         std::to_chars(rowNumber, rowNumber + sizeof rowNumber, result.rowNumber).ptr -
                                         rowNumber)));
    cell(std::string_view(result.id));
    if (!result.rowError.empty()) {
        for (std::size_t i = 3; i < resultColumns().size(); ++i) cell(std::string_view());
        cell(std::string_view(result.rowError));
        return;
    }
    const FieldModel& fields = result.fields;
    cell(std::string_view(caseName(result.state)));
    static constexpr Control closuresAndPrecision[] = {{"Text15"}, {"Text16"}, {"Text17"}, {"Text18"},
                                                        {"Text8"},  {"Text9"},  {"Text10"}, {"Text11"}};
    for (const Control field : closuresAndPrecision) cell(shownNumber(fields.text(field)));
    // The adjusted angles exist once the corrections have been applied, which is when mb is shown.
    const bool adjusted = !fields.text({"Text8"}).empty();
    for (std::size_t k = 1; k <= 8; ++k) {
        const auto degrees = result.state.adjustedAngles.size() > 8 ? result.state.adjustedAngles[k].numericValue()
                                                                    : std::nullopt;
        if (!adjusted || !degrees) {
            cell(std::string_view());
            continue;
        }
        const double packed = toDms(*degrees);
        char text[scaledTextSize];
        if (const char* end = writeRoundedFixed(text, packed, 5)) {
            cell(std::string_view(text, static_cast<std::size_t>(end - text)));
        } else {
            cell(std::string_view(roundedFixed(packed, 5)));
        }
    }
    for (int r = 0; r <= 4; ++r) {
        cell(shownNumber(fields.text({"Text12", r})));
        cell(shownNumber(fields.text({"Text13", r})));
        cell(shownNumber(fields.text({"Text14", r})));
    }
    cell(result.stop ? std::string_view(result.stop->what()) : std::string_view());
}

// A cell as CSV: quoted (RFC 4180) where it holds a comma, a quote or a line break, or begins with a blank.
constexpr auto quoteTriggers = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {',', '"', '\r', '\n'}) table[c] = true;
    return table;
}();

void appendCsvCell(std::string& out, std::string_view cell) {
    const bool quoted = cell.starts_with(' ') || std::any_of(cell.begin(), cell.end(), [](char c) {
                            return quoteTriggers[static_cast<unsigned char>(c)];
                        });
    if (!quoted) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// The same into the output buffer in one pass: the cell is copied while it is looked at, and written again
// quoted in the rare case that it needs quotes. Then the separator.
//
// The bytes that call for quotes (comma, quote, CR, LF) and the blank all lie below '-', and the numbers of a
// result row are made of '-', '.', '/' and digits only. So a cell is first looked at a word at a time for any byte
// below '-', which a number never has; only a cell that has one is looked at byte by byte.
void appendCsvCell(OutputBuffer& out, std::string_view cell, char separator) {
    const std::size_t size = cell.size();
    const char* const from = cell.data();
    char* const start = out.room(2 * size + 4);
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    // Non-zero when a byte of the word lies below '-' (an ASCII byte: bytes of 0x80 and above are never below).
    const auto holdsByteBelowDash = [](std::uint64_t word) { return (word - ones * '-') & ~word & highs; };
    std::uint64_t below = 0;
    if (size >= 8) {
        // Whole words, the last one overlapping the one before where the size is no multiple of eight.
        for (std::size_t i = 0;; i += 8) {
            if (i + 8 > size) i = size - 8;
            std::uint64_t word;
            std::memcpy(&word, from + i, 8);
            std::memcpy(start + i, &word, 8);
            below |= holdsByteBelowDash(word);
            if (i + 8 == size) break;
        }
    } else if (size >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + size - 4, 4);
        std::memcpy(start, &head, 4);
        std::memcpy(start + size - 4, &tail, 4);
        below = holdsByteBelowDash((std::uint64_t{head} << 32) | tail);
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            start[i] = from[i];
            below |= static_cast<unsigned char>(from[i]) < '-';
        }
    }
    char* end = start + size;
    if (below != 0) {
        const bool quoted = cell.starts_with(' ') || std::any_of(cell.begin(), cell.end(), [](char c) {
                                return quoteTriggers[static_cast<unsigned char>(c)];
                            });
        if (quoted) {
            end = start;
            *end++ = '"';
            for (char c : cell) {
                if (c == '"') *end++ = '"';
                *end++ = c;
            }
            *end++ = '"';
        }
    }
    *end++ = separator;
    out.commit(end);
}

// The arrays that the compute command renews first thing, before anything reads them. Kept from one row to the
// next, they spare each row the allocation and construction of their elements, where a new window's empty arrays
// would only be made again by the renewal.
struct RenewedArrays {
    std::vector<std::vector<double>> normalMatrix;
    std::vector<EntryValue> adjustedAngles, observedAngles;
    std::vector<std::string> pointNames;
    std::vector<float> closures;

    void takeFrom(SurveyState& state) {
        normalMatrix = std::move(state.normalMatrix);
        adjustedAngles = std::move(state.adjustedAngles);
        observedAngles = std::move(state.observedAngles);
        pointNames = std::move(state.pointNames);
        closures = std::move(state.closures);
    }
    void giveTo(SurveyState& state) {
        state.normalMatrix = std::move(normalMatrix);
        state.adjustedAngles = std::move(adjustedAngles);
        state.observedAngles = std::move(observedAngles);
        state.pointNames = std::move(pointNames);
        state.closures = std::move(closures);
    }
};

}  // namespace

bool ResultFields::shows(const Control& field) const {
    // Text8 to Text18, every one of them part of a result row, as bits by field number.
    constexpr std::uint32_t shown = ((1u << 19) - 1) & ~((1u << 8) - 1);
    return (shown >> field.fieldNumber) & 1u;
}

const BatchResult& BatchAdjuster::adjust(const TableRow& row) {
    // A fresh window, renewed in the storage of the previous row.
    static const SurveyState newState;
    result_.rowNumber = row.rowNumber;
    result_.id = columns_.id(row);
    result_.rowError.clear();
    result_.stop.reset();
    RenewedArrays arrays;
    arrays.takeFrom(result_.state);
    result_.state = newState;
    result_.fields.renew();
    try {
        columns_.checkWidth(row);
    } catch (const std::invalid_argument& malformed) {
        result_.rowError = malformed.what();
        return result_;
    }
    arrays.giveTo(result_.state);
    RowPrompt prompt(columns_, row, result_.state);
    try {
        runComputeCommand(result_.state, prompt, result_.fields);
    } catch (const RunStopped& stop) {
        result_.stop = stop;
    }
    return result_;
}

BatchResult adjustRow(const ColumnMap& columns, const TableRow& row) {
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
    forEachResultCell(result, [&](std::string_view cell) { cells.emplace_back(cell); });
    return cells;
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        appendCsvCell(line, cells[i]);
    }
    out << line << "\r\n";
}

void appendResultCsv(OutputBuffer& out, const BatchResult& result) {
    forEachResultCell(result, [&](std::string_view cell) { appendCsvCell(out, cell, ','); });
    char* end = out.room(2);
    end[-1] = '\r';  // the last separator becomes the line end
    end[0] = '\n';
    out.commit(end + 1);
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
