#include "files/ObservationTable.h"

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <utility>

#include "entry/Utf8.h"
#include "form/ObservationColumns.h"
#include "i18n/Language.h"

namespace morvalen::files {
namespace {

// The parser's callbacks fill one row in place; libcsv is C, so nothing may be thrown through it: an exception of
// a receiver is kept and the rest of the file is skipped.
struct ParseState {
    std::function<void(const std::vector<std::string>&)> onHeader;
    std::function<void(const TableRow&)> onRow;
    TableRow row;
    std::size_t fieldCount = 0;
    std::size_t headerWidth = 0;
    int lastTerminator = 0;  // the character that ended the last record: CR of a CRLF is followed by its LF
    bool headerRead = false;
    std::exception_ptr failure;
};

void onField(void* text, std::size_t length, void* data) {
    auto& state = *static_cast<ParseState*>(data);
    if (state.failure) return;
    auto& cells = state.row.cells;
    if (state.fieldCount == cells.size()) cells.emplace_back();
    const std::string_view bytes(static_cast<const char*>(text), length);
    if (bytes.find('\0') != std::string_view::npos) {
        // A NUL is no text: a damaged file, or one of another kind; copied on it would end names in other programs.
        state.failure = std::make_exception_ptr(CampaignFileError(
            i18n::withArguments(i18n::translate("第 %1 行第 %2 列有一个 NUL 字节（值为零的字节），这不是文字：文件已损坏或不是 CSV 文件"),
                                {std::to_string(state.row.sheetRow + 1), std::to_string(state.fieldCount + 1)})));
        return;
    }
    cells[state.fieldCount++] = isValidUtf8(bytes) ? std::string(bytes) : validUtf8(bytes);
}

std::string unclosedQuote(std::size_t sheetRow) {
    return i18n::withArguments(i18n::translate("引号未闭合，从第 %1 行起"), {std::to_string(sheetRow)});
}

// A row of another width than the header's whose cells hold separators, quotes or line ends: a quote that opened a
// cell and was closed further on, or never, took them in.
bool swallowedByQuote(const std::vector<std::string>& cells, std::size_t headerWidth) {
    return cells.size() != headerWidth && std::any_of(cells.begin(), cells.end(), [](const std::string& cell) {
               return cell.find_first_of(",\"\r\n") != std::string::npos;
           });
}

// Every line of the file is a row of the spreadsheet, an empty one included: libcsv reports each line end outside
// a record as an empty record (CSV_REPALL_NL), and the LF of a CRLF is no row of its own.
void onRecordEnd(int terminator, void* data) {
    auto& state = *static_cast<ParseState*>(data);
    auto& cells = state.row.cells;
    const std::size_t count = state.fieldCount;
    state.fieldCount = 0;
    const bool secondHalfOfCrlf = count == 0 && terminator == '\n' && state.lastTerminator == '\r';
    state.lastTerminator = terminator;
    if (state.failure || secondHalfOfCrlf) return;
    ++state.row.sheetRow;
    cells.resize(count);
    // A blank row: an empty line, or a row of empty cells as a spreadsheet saves it (",,,,").
    if (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); })) return;
    try {
        if (!state.headerRead) {
            state.headerRead = true;
            state.headerWidth = count;
            state.onHeader(cells);
            return;
        }
        // Rows taken into one cell by an unclosed quote are not read past: the file is refused.
        const auto spansLines = [](const std::string& cell) { return cell.find_first_of("\r\n") != std::string::npos; };
        if (swallowedByQuote(cells, state.headerWidth) && std::any_of(cells.begin(), cells.end(), spansLines)) {
            throw CampaignFileError(unclosedQuote(state.row.sheetRow));
        }
        ++state.row.rowNumber;
        state.onRow(state.row);
    } catch (...) {
        state.failure = std::current_exception();
    }
}

// Blanks and tabs are part of a cell: libcsv would otherwise trim them around unquoted cells and between a closing
// quote and the separator.
int keepBlanks(unsigned char) { return 0; }

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

}  // namespace

struct CsvRowReader::Parser {
    csv_parser csv;
    ParseState state;
    std::string start;  // the first bytes, until it is known whether they are a byte-order mark
    bool started = false;

    void parse(std::string_view bytes) {
        if (bytes.empty() || state.failure) return;
        if (csv_parse(&csv, bytes.data(), bytes.size(), onField, onRecordEnd, &state) != bytes.size()) {
            throw CampaignFileError(i18n::withArguments(i18n::translate("CSV 文件无法读取：%1"), {csv_strerror(csv_error(&csv))}));
        }
    }

    // The bytes kept back at the start, without a byte-order mark.
    void parseStart() {
        started = true;
        parse(std::string_view(start).substr(std::string_view(start).starts_with(byteOrderMark) ? 3 : 0));
    }
};

CsvRowReader::CsvRowReader(std::function<void(const std::vector<std::string>&)> onHeader,
                           std::function<void(const TableRow&)> onRow)
    : parser_(std::make_unique<Parser>()) {
    if (csv_init(&parser_->csv, CSV_APPEND_NULL | CSV_REPALL_NL | CSV_STRICT_FINI) != 0) throw CampaignFileError(i18n::translate("CSV 解析器无法初始化"));
    csv_set_space_func(&parser_->csv, keepBlanks);
    parser_->state.onHeader = std::move(onHeader);
    parser_->state.onRow = std::move(onRow);
}

CsvRowReader::~CsvRowReader() { csv_free(&parser_->csv); }

void CsvRowReader::read(std::string_view piece) {
    Parser& parser = *parser_;
    if (!parser.started) {
        const std::size_t taken = std::min(piece.size(), byteOrderMark.size() - parser.start.size());
        parser.start.append(piece.substr(0, taken));
        piece.remove_prefix(taken);
        if (parser.start.size() < byteOrderMark.size()) return;
        parser.parseStart();
    }
    parser.parse(piece);
    if (parser.state.failure) std::rethrow_exception(parser.state.failure);
}

void CsvRowReader::finish() {
    Parser& parser = *parser_;
    if (!parser.started) parser.parseStart();
    if (!parser.state.failure && csv_fini(&parser.csv, onField, onRecordEnd, &parser.state) != 0) {
        throw CampaignFileError(unclosedQuote(parser.state.row.sheetRow + 1));
    }
    if (parser.state.failure) std::rethrow_exception(parser.state.failure);
    if (!parser.state.headerRead) throw CampaignFileError(i18n::translate("CSV 文件是空的：没有标题行"));
}

void readCsvRows(std::string_view bytes, const std::function<void(const std::vector<std::string>&)>& onHeader,
                 const std::function<void(const TableRow&)>& onRow) {
    CsvRowReader reader(onHeader, onRow);
    reader.read(bytes);
    reader.finish();
}

namespace {

const std::vector<std::string> optionalColumns = {"id", "start_side_length", "start_side_number", "Ta", "Qa",
                                                  "name_P3"};

}  // namespace

std::string quotedList(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + ("\"" + name + "\"");
    return text;
}

const std::vector<std::string>& campaignColumns() {
    // The id first, then the values in the order the dialogue asks them, by the keys of their columns.
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names = {"id"};
        for (const form::ObservationColumn& column : form::observationColumns()) names.emplace_back(column.key);
        return names;
    }();
    return columns;
}

void refuseOtherSeparators(const std::vector<std::string>& header) {
    if (header.size() != 1) return;
    for (const auto& [separator, kind] : {std::pair{std::string_view(";"), i18n::translate("分号")},
                                          std::pair{std::string_view("\t"), i18n::translate("制表符")},
                                          std::pair{std::string_view("\xEF\xBC\x8C"), i18n::translate("全角逗号（，）")},
                                          std::pair{std::string_view("\xEF\xBC\x9B"), i18n::translate("全角分号（；）")}}) {
        if (header[0].find(separator) != std::string::npos) {
            throw CampaignFileError(i18n::withArguments(
                i18n::translate("这是用%1分隔的文件，不是逗号分隔的 CSV：请在电子表格中另存为“CSV（逗号分隔）”"), {kind}));
        }
    }
}

ColumnMap::ColumnMap(const std::vector<std::string>& header) : width_(header.size()) {
    positions_.fill(absent);
    refuseOtherSeparators(header);
    const auto& names = campaignColumns();
    std::vector<std::string> repeated;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const auto known = std::find(names.begin(), names.end(), header[i]);
        if (known == names.end()) {
            // A column of the surveyor's own (备注, a date) is read past.
            if (header[i] != fieldBookColumn) unknown_.push_back(header[i]);
            continue;
        }
        auto& position = positions_[static_cast<std::size_t>(known - names.begin())];
        if (position != absent) {
            repeated.push_back(header[i]);
        } else {
            position = i;
        }
    }
    std::vector<std::string> missing;
    for (std::size_t column = 0; column < columnCount; ++column) {
        const std::string& name = names[column];
        const bool optional = std::find(optionalColumns.begin(), optionalColumns.end(), name) != optionalColumns.end();
        if (!optional && positions_[column] == absent) missing.push_back(name);
    }
    std::string problems;
    const auto add = [&](const char* pattern, const std::vector<std::string>& columns) {
        if (columns.empty()) return;
        if (!problems.empty()) problems += i18n::translate("；");
        problems += i18n::withArguments(i18n::translate(pattern), {quotedList(columns)});
    };
    add(i18n::catalogued("重复的列 %1"), repeated);
    add(i18n::catalogued("缺少的列 %1"), missing);
    // A name of the surveyor's own that is a column's name but for case or blanks (" XA") is named as it was read.
    std::string misspelt;
    const auto plain = [](std::string_view name) {
        const std::size_t first = name.find_first_not_of(" \t"), last = name.find_last_not_of(" \t");
        std::string text(first == std::string_view::npos ? std::string_view() : name.substr(first, last - first + 1));
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    for (const std::string& cell : unknown_) {
        const auto near = std::find_if(names.begin(), names.end(), [&](const std::string& name) { return plain(cell) == plain(name); });
        if (near == names.end()) continue;
        misspelt += (misspelt.empty() ? "" : ", ") + i18n::withArguments(i18n::translate("\"%1\" 应为 \"%2\""), {cell, *near});
    }
    if (!problems.empty() && !misspelt.empty()) {
        problems += i18n::translate("；") + i18n::withArguments(i18n::translate("读到的列名 %1（列名区分大小写，不含空格）"), {misspelt});
    }
    if (!problems.empty()) throw CampaignFileError(i18n::withArguments(i18n::translate("标题行不符：%1"), {problems}));
}

std::string ColumnMap::id(const TableRow& row) const {
    const std::size_t at = positions_[static_cast<std::size_t>(Column::id)];
    return at != absent && at < row.cells.size() ? row.cells[at] : std::string();
}

void ColumnMap::checkWidth(const TableRow& row) const {
    if (swallowedByQuote(row.cells, width_)) throw std::invalid_argument(unclosedQuote(row.sheetRow));
    if (row.cells.size() != width_) {
        throw std::invalid_argument(i18n::withArguments(i18n::translate("第 %1 行有 %2 个字段，标题行有 %3 个"),
                                                        {std::to_string(row.sheetRow), std::to_string(row.cells.size()),
                                                         std::to_string(width_)}));
    }
}

const std::string& textOf(const Observations& observations, Column column) {
    static const std::string none;
    for (std::size_t v = 0; v < enteredValueCount; ++v) {
        const auto value = static_cast<EnteredValue>(v);
        if (columnOf(value) == column) return observations.text(value);
    }
    return none;
}

Observations ColumnMap::observations(const TableRow& row) const {
    Observations typed;
    readObservations(row, typed);
    return typed;
}

void ColumnMap::readObservations(const TableRow& row, Observations& typed) const {
    checkWidth(row);
    for (std::size_t v = 0; v < enteredValueCount; ++v) {
        const auto value = static_cast<EnteredValue>(v);
        typed.text(value) = cell(row, columnOf(value));
    }
}

}  // namespace morvalen::files
