#include "batch/ObservationTable.h"

#include <csv.h>

#include <algorithm>
#include <memory>

#include "entry/Utf8.h"

namespace morvalen::batch {
namespace {

struct ParseState {
    Table table;
    std::vector<std::string> record;
    bool headerRead = false;
    std::size_t nextRowNumber = 1;
};

void onField(void* text, std::size_t length, void* data) {
    auto& state = *static_cast<ParseState*>(data);
    state.record.push_back(validUtf8(std::string_view(static_cast<const char*>(text), length)));
}

void onRecordEnd(int, void* data) {
    auto& state = *static_cast<ParseState*>(data);
    std::vector<std::string> record = std::move(state.record);
    state.record.clear();
    if (record.size() == 1 && record[0].empty()) return;  // a blank line
    if (!state.headerRead) {
        state.table.header = std::move(record);
        state.headerRead = true;
        return;
    }
    state.table.rows.push_back({state.nextRowNumber++, std::move(record)});
}

int keepBlanks(unsigned char) { return 0; }

const std::vector<std::string> optionalColumns = {"id", "start_side_length", "start_side_number", "Ta", "Qa",
                                                  "name_P3"};

}  // namespace

Table readCsv(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0) throw CampaignFileError("CSV 解析器无法初始化");
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> release(&parser, csv_free);
    csv_set_space_func(&parser, keepBlanks);
    ParseState state;
    if (csv_parse(&parser, bytes.data(), bytes.size(), onField, onRecordEnd, &state) != bytes.size()) {
        throw CampaignFileError(std::string("CSV 文件无法读取：") + csv_strerror(csv_error(&parser)));
    }
    csv_fini(&parser, onField, onRecordEnd, &state);
    if (!state.headerRead) throw CampaignFileError("CSV 文件是空的：没有标题行");
    return std::move(state.table);
}

const std::vector<std::string>& campaignColumns() {
    static const std::vector<std::string> columns = {
        "id",     "xa",     "ya",     "xb",     "yb",     "start_side_length", "start_side_number", "Ta", "Qa",
        "name_A", "name_P1", "name_P2", "name_P3", "name_closing", "b1", "b2", "b3", "b4", "b5", "b6", "b7", "b8"};
    return columns;
}

ColumnMap::ColumnMap(const std::vector<std::string>& header) : width_(header.size()) {
    std::vector<std::string> unknown, repeated;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& name = header[i];
        if (std::find(campaignColumns().begin(), campaignColumns().end(), name) == campaignColumns().end()) {
            unknown.push_back(name);
        } else if (!columnOf_.emplace(name, i).second) {
            repeated.push_back(name);
        }
    }
    std::vector<std::string> missing;
    for (const auto& name : campaignColumns()) {
        const bool optional = std::find(optionalColumns.begin(), optionalColumns.end(), name) != optionalColumns.end();
        if (!optional && columnOf_.count(name) == 0) missing.push_back(name);
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
    const auto column = columnOf_.find("id");
    return column != columnOf_.end() && column->second < row.cells.size() ? row.cells[column->second] : std::string();
}

DataSet ColumnMap::dataSet(const TableRow& row) const {
    if (row.cells.size() != width_) {
        throw std::invalid_argument("第 " + std::to_string(row.rowNumber) + " 行有 " + std::to_string(row.cells.size()) +
                                    " 个字段，标题行有 " + std::to_string(width_) + " 个");
    }
    const auto cell = [&](const char* name) {
        const auto column = columnOf_.find(name);
        return column == columnOf_.end() ? std::string() : row.cells[column->second];
    };
    DataSet set;
    set.id = cell("id");
    set.xa = cell("xa");
    set.ya = cell("ya");
    set.xb = cell("xb");
    set.yb = cell("yb");
    set.startSideLength = cell("start_side_length");
    set.startSideNumber = cell("start_side_number");
    set.Ta = cell("Ta");
    set.Qa = cell("Qa");
    set.nameA = cell("name_A");
    set.nameP1 = cell("name_P1");
    set.nameP2 = cell("name_P2");
    set.nameP3 = cell("name_P3");
    set.nameClosing = cell("name_closing");
    for (int k = 1; k <= 8; ++k) set.angles.push_back(cell(("b" + std::to_string(k)).c_str()));
    return set;
}

}  // namespace morvalen::batch
