#include "files/ObservationFile.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <cerrno>
#include <iterator>
#include <system_error>

#include "files/AtomicFile.h"
#include "files/CsvText.h"

namespace morvalen::files {
namespace {

// The bytes of a file; nullopt when it does not exist. Throws ObservationFileError when it cannot be read.
std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    std::error_code status;
    if (!std::filesystem::exists(path, status) && !status) return std::nullopt;
    if (std::filesystem::is_directory(path, status)) {
        throw ObservationFileError("无法读取观测文件 " + shownPath(path) + "：这是一个文件夹");
    }
    std::ifstream file(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(file), {});
    if (!file.is_open() || file.bad()) {
        throw ObservationFileError("无法读取观测文件 " + shownPath(path) + "：" +
                                   std::error_code(errno, std::generic_category()).message());
    }
    return bytes;
}

Table campaignOf(const std::filesystem::path& path, const std::string& bytes) {
    try {
        Table table = readCsv(bytes);
        ColumnMap checked(table.header);
        return table;
    } catch (const CampaignFileError& error) {
        throw ObservationFileError("观测文件 " + shownPath(path) + " 不是观测数据文件：" + error.what());
    }
}

// Every value typed must find its column in the file.
void checkColumnsHeld(const std::filesystem::path& path, const std::vector<std::string>& header,
                      const TypedValues& values) {
    const auto& names = campaignColumns();
    for (std::size_t column = 1; column < columnCount; ++column) {
        const std::string& value = values.value(static_cast<Column>(column));
        if (!value.empty() && std::find(header.begin(), header.end(), names[column]) == header.end()) {
            throw ObservationFileError("观测文件 " + shownPath(path) + " 没有列 \"" + names[column] +
                                       "\"，这次的观测值存不进去");
        }
    }
}

}  // namespace

Table readCsvFile(const std::filesystem::path& path) {
    const auto bytes = fileBytes(path);
    if (!bytes) throw ObservationFileError("文件不存在");
    return readCsv(*bytes);
}

ObservationFileRows readObservationFile(const std::filesystem::path& path) {
    const auto bytes = fileBytes(path);
    if (!bytes) throw ObservationFileError("无法读取观测文件 " + shownPath(path) + "：文件不存在");
    Table table = campaignOf(path, *bytes);
    if (table.rows.empty()) throw ObservationFileError("观测文件 " + shownPath(path) + " 中没有数据行");
    return {ColumnMap(table.header), std::move(table.rows)};
}

ObservationRow observationRow(const ObservationFileRows& file, std::size_t index, const std::filesystem::path& path) {
    const TableRow& row = file.rows.at(index);
    try {
        file.columns.checkWidth(row);
    } catch (const std::invalid_argument& malformed) {
        throw ObservationFileError("观测文件 " + shownPath(path) + " 的第 " + std::to_string(row.rowNumber) +
                                   " 行不是一组观测数据：" + malformed.what());
    }
    return {file.columns, row, file.columns.id(row)};
}

ObservationRow openObservationRow(const std::filesystem::path& path, const std::optional<std::string>& id) {
    const ObservationFileRows file = readObservationFile(path);
    const auto found = std::find_if(file.rows.begin(), file.rows.end(),
                                    [&](const TableRow& row) { return !id || file.columns.id(row) == *id; });
    if (found == file.rows.end()) {
        throw ObservationFileError("观测文件 " + shownPath(path) + " 中没有 id 为 \"" + *id + "\" 的行");
    }
    return observationRow(file, static_cast<std::size_t>(found - file.rows.begin()), path);
}

std::string saveObservations(const std::filesystem::path& path, const TypedValues& values,
                             const std::string& id) {
    auto bytes = fileBytes(path);
    if (bytes && bytes->empty()) bytes.reset();
    std::vector<std::string> header = campaignColumns();
    std::set<std::string> idsHeld;
    if (bytes) {
        const Table table = campaignOf(path, *bytes);
        header = table.header;
        const ColumnMap columns(header);
        for (const TableRow& row : table.rows) idsHeld.insert(columns.id(row));
    }
    const auto& names = campaignColumns();
    const bool hasIdColumn = std::find(header.begin(), header.end(), "id") != header.end();
    std::string givenId = id;
    if (hasIdColumn && (givenId.empty() || idsHeld.count(givenId) != 0)) {
        for (std::size_t number = 1;; ++number) {
            givenId = std::to_string(number);
            if (idsHeld.count(givenId) == 0) break;
        }
    }
    checkColumnsHeld(path, header, values);
    std::vector<std::string> cells;
    for (const std::string& name : header) {
        const auto column = static_cast<Column>(std::find(names.begin(), names.end(), name) - names.begin());
        cells.push_back(column == Column::id ? givenId : values.value(column));
    }
    std::string text = bytes ? *bytes : csvLine(header);
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    text += csvLine(cells);
    writeBytes(path, text);
    return hasIdColumn ? givenId : std::string();
}

bool fillObservationRow(const std::filesystem::path& path, const TypedValues& values, const std::string& id) {
    const auto bytes = fileBytes(path);
    if (!bytes || bytes->empty()) return false;
    Table table = campaignOf(path, *bytes);
    const ColumnMap columns(table.header);
    const auto row = std::find_if(table.rows.begin(), table.rows.end(),
                                  [&](const TableRow& held) { return columns.id(held) == id; });
    if (id.empty() || row == table.rows.end()) return false;
    observationRow(ObservationFileRows{columns, {*row}}, 0, path);  // a row of the header's width
    checkColumnsHeld(path, table.header, values);
    const auto& names = campaignColumns();
    for (std::size_t cell = 0; cell < table.header.size(); ++cell) {
        const auto column = std::find(names.begin(), names.end(), table.header[cell]) - names.begin();
        if (column > 0 && !values.values[static_cast<std::size_t>(column)].empty()) {
            row->cells[cell] = values.values[static_cast<std::size_t>(column)];
        }
    }
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    std::string text = bytes->starts_with(byteOrderMark) ? std::string(byteOrderMark) : std::string();
    text += csvLine(table.header);
    for (const TableRow& held : table.rows) text += csvLine(held.cells);
    writeBytes(path, text);
    return true;
}

}  // namespace morvalen::files
