#include "batch/ObservationTable.h"

#include <csv.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>

#include "entry/Utf8.h"

namespace morvalen::batch {
namespace {

// The parser's callbacks fill one row in place; libcsv is C, so nothing may be thrown through it: an exception of
// a receiver is kept and the rest of the file is skipped.
struct ParseState {
    const std::function<void(const std::vector<std::string>&)>* onHeader;
    const std::function<void(const TableRow&)>* onRow;
    TableRow row;
    std::size_t fieldCount = 0;
    bool headerRead = false;
    std::exception_ptr failure;
};

void onField(void* text, std::size_t length, void* data) {
    auto& state = *static_cast<ParseState*>(data);
    if (state.failure) return;
    auto& cells = state.row.cells;
    if (state.fieldCount == cells.size()) cells.emplace_back();
    const std::string_view bytes(static_cast<const char*>(text), length);
    std::string& cell = cells[state.fieldCount++];
    // Most cells are ASCII: eight bytes at a time without a byte of 0x80 or above.
    const auto ascii = [](std::string_view text) {
        std::size_t i = 0;
        for (; i + 8 <= text.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + i, 8);
            if (word & 0x8080808080808080ULL) return false;
        }
        for (; i < text.size(); ++i) {
            if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
        }
        return true;
    };
    if (ascii(bytes) || isValidUtf8(bytes)) {
        cell.assign(bytes);
    } else {
        cell = validUtf8(bytes);
    }
}

void onRecordEnd(int, void* data) {
    auto& state = *static_cast<ParseState*>(data);
    auto& cells = state.row.cells;
    const std::size_t count = state.fieldCount;
    state.fieldCount = 0;
    if (state.failure) return;
    if (count == 0 || (count == 1 && cells[0].empty())) return;  // a blank line
    cells.resize(count);
    try {
        if (!state.headerRead) {
            state.headerRead = true;
            (*state.onHeader)(cells);
            return;
        }
        ++state.row.rowNumber;
        (*state.onRow)(state.row);
    } catch (...) {
        state.failure = std::current_exception();
    }
}

int keepBlanks(unsigned char) { return 0; }

const std::vector<std::string> optionalColumns = {"id", "start_side_length", "start_side_number", "Ta", "Qa",
                                                  "name_P3"};

}  // namespace

void readCsvRows(std::string_view bytes, const std::function<void(const std::vector<std::string>&)>& onHeader,
                 const std::function<void(const TableRow&)>& onRow) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0) throw CampaignFileError("CSV 解析器无法初始化");
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> release(&parser, csv_free);
    csv_set_space_func(&parser, keepBlanks);
    ParseState state{&onHeader, &onRow, {}, 0, false, nullptr};
    if (csv_parse(&parser, bytes.data(), bytes.size(), onField, onRecordEnd, &state) != bytes.size()) {
        throw CampaignFileError(std::string("CSV 文件无法读取：") + csv_strerror(csv_error(&parser)));
    }
    csv_fini(&parser, onField, onRecordEnd, &state);
    if (state.failure) std::rethrow_exception(state.failure);
    if (!state.headerRead) throw CampaignFileError("CSV 文件是空的：没有标题行");
}

Table readCsv(std::string_view bytes) {
    Table table;
    readCsvRows(
        bytes, [&](const std::vector<std::string>& header) { table.header = header; },
        [&](const TableRow& row) { table.rows.push_back(row); });
    return table;
}

const std::vector<std::string>& campaignColumns() {
    static const std::vector<std::string> columns = {
        "id",     "xa",     "ya",     "xb",     "yb",     "start_side_length", "start_side_number", "Ta", "Qa",
        "name_A", "name_P1", "name_P2", "name_P3", "name_closing", "b1", "b2", "b3", "b4", "b5", "b6", "b7", "b8"};
    return columns;
}

ColumnMap::ColumnMap(const std::vector<std::string>& header) : width_(header.size()) {
    const auto& names = campaignColumns();
    std::vector<std::string> unknown, repeated;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const auto known = std::find(names.begin(), names.end(), header[i]);
        if (known == names.end()) {
            unknown.push_back(header[i]);
            continue;
        }
        auto& position = positions_[static_cast<std::size_t>(known - names.begin())];
        if (position) {
            repeated.push_back(header[i]);
        } else {
            position = i;
        }
    }
    std::vector<std::string> missing;
    for (std::size_t column = 0; column < columnCount; ++column) {
        const std::string& name = names[column];
        const bool optional = std::find(optionalColumns.begin(), optionalColumns.end(), name) != optionalColumns.end();
        if (!optional && !positions_[column]) missing.push_back(name);
    }
    const auto list = [](const std::vector<std::string>& names) {
        std::string text;
        for (const auto& name : names) text += (text.empty() ? "" : ", ") + ("\"" + name + "\"");
        return text;
    };
    std::string problems;
    if (!unknown.empty()) problems += "未知的列 " + list(unknown) + "；";
    if (!repeated.empty()) problems += "重复的列 " + list(repeated) + "；";
    if (!missing.empty()) problems += "缺少的列 " + list(missing) + "；";
    if (!problems.empty()) {
        problems.pop_back();
        problems.pop_back();
        problems.pop_back();  // the last "；" (three bytes)
        throw CampaignFileError("标题行不符：" + problems);
    }
}

std::string ColumnMap::id(const TableRow& row) const {
    const auto at = positions_[static_cast<std::size_t>(Column::id)];
    return at && *at < row.cells.size() ? row.cells[*at] : std::string();
}

void ColumnMap::checkWidth(const TableRow& row) const {
    if (row.cells.size() != width_) {
        throw std::invalid_argument("第 " + std::to_string(row.rowNumber) + " 行有 " + std::to_string(row.cells.size()) +
                                    " 个字段，标题行有 " + std::to_string(width_) + " 个");
    }
}

DataSet ColumnMap::dataSet(const TableRow& row) const {
    checkWidth(row);
    const auto text = [&](Column column) { return std::string(cell(row, column)); };
    DataSet set;
    set.id = text(Column::id);
    set.xa = text(Column::xa);
    set.ya = text(Column::ya);
    set.xb = text(Column::xb);
    set.yb = text(Column::yb);
    set.startSideLength = text(Column::startSideLength);
    set.startSideNumber = text(Column::startSideNumber);
    set.Ta = text(Column::Ta);
    set.Qa = text(Column::Qa);
    set.nameA = text(Column::nameA);
    set.nameP1 = text(Column::nameP1);
    set.nameP2 = text(Column::nameP2);
    set.nameP3 = text(Column::nameP3);
    set.nameClosing = text(Column::nameClosing);
    for (int k = 0; k < 8; ++k) set.angles.push_back(text(static_cast<Column>(static_cast<int>(Column::b1) + k)));
    return set;
}

}  // namespace morvalen::batch
