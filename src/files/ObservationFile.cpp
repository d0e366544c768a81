#include "files/ObservationFile.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <set>

#include "files/AtomicFile.h"
#include "files/CsvFile.h"
#include "files/CsvText.h"
#include "i18n/Language.h"

namespace morvalen::files {
using i18n::translate;
using i18n::withArguments;

namespace {

std::string cannotRead(const std::filesystem::path& path, const std::string& reason) {
    return withArguments(translate("无法读取观测文件 %1：%2"), {shownPath(path), reason});
}

// The header, the rows and the shape of an observation file. Throws ObservationFileError.
struct ReadFile {
    CsvTable table;
    CsvFileShape shape;
};

ReadFile campaignOf(const std::filesystem::path& path, const ReadProgress& progress = {}) {
    ReadFile file;
    try {
        file.shape = readCsvFile(
            path, [&](const std::vector<std::string>& header) { file.table.header = header; },
            [&](const TableRow& row) { file.table.rows.push_back(row); }, nullptr, progress);
        ColumnMap checked(file.table.header);
        return file;
    } catch (const FileNotRead& problem) {
        throw ObservationFileError(cannotRead(path, problem.what()));
    } catch (const CampaignFileError& error) {
        throw ObservationFileError(withArguments(translate("观测文件 %1 不是观测数据文件：%2"), {shownPath(path), error.what()}));
    }
}

// Every value typed must find its column in the file.
void checkColumnsHeld(const std::filesystem::path& path, const std::vector<std::string>& header,
                      const Observations& values) {
    const auto& names = campaignColumns();
    for (std::size_t v = 0; v < enteredValueCount; ++v) {
        const auto value = static_cast<EnteredValue>(v);
        const auto column = static_cast<std::size_t>(columnOf(value));
        if (!values.text(value).empty() && std::find(header.begin(), header.end(), names[column]) == header.end()) {
            throw ObservationFileError(withArguments(translate("观测文件 %1 没有列 \"%2\"，这次的观测值存不进去"),
                                                     {shownPath(path), names[column]}));
        }
    }
}

// The cells as one line of the file in its own line end and encoding; a value the encoding cannot hold is named
// with its column.
std::string encodedLine(const std::filesystem::path& path, const std::vector<std::string>& header,
                        const std::vector<std::string>& cells, const CsvFileShape& shape) {
    std::string line = csvLine(cells);
    line.resize(line.size() - 2);
    line += shape.lineEnd;
    try {
        return encodedText(line, shape.encoding);
    } catch (const InvalidText&) {
        for (std::size_t k = 0; k < cells.size(); ++k) {
            try {
                encodedText(cells[k], shape.encoding);
            } catch (const InvalidText&) {
                throw ObservationFileError(withArguments(translate("观测文件 %1 是 %2 编码，存不下列 \"%3\" 的值 \"%4\""),
                                                         {shownPath(path), encodingName(shape.encoding),
                                                          k < header.size() ? header[k] : std::string(), cells[k]}));
            }
        }
        throw ObservationFileError(withArguments(translate("观测文件 %1 的编码存不下这次的观测值"), {shownPath(path)}));
    }
}

}  // namespace

std::vector<std::string> readingNotes(const std::filesystem::path& path, const ColumnMap& columns,
                                      TextEncoding encoding) {
    std::vector<std::string> notes;
    if (encoding != TextEncoding::utf8 && encoding != TextEncoding::utf8WithByteOrderMark) {
        notes.push_back(withArguments(translate("注意：观测文件 %1 不是 UTF-8 编码，按 %2 读取"),
                                      {shownPath(path), encodingName(encoding)}));
    }
    if (!columns.unknownColumns().empty()) {
        notes.push_back(withArguments(translate("注意：观测文件 %1 的列 %2 不是观测数据，已略过"),
                                      {shownPath(path), quotedList(columns.unknownColumns())}));
    }
    return notes;
}

ObservationFileRows readObservationFile(const std::filesystem::path& path, const ReadProgress& progress) {
    std::error_code status;
    if (!std::filesystem::exists(path, status)) throw ObservationFileError(cannotRead(path, readReason(ENOENT)));
    ReadFile file = campaignOf(path, progress);
    if (file.table.rows.empty()) throw ObservationFileError(withArguments(translate("观测文件 %1 中没有数据行"), {shownPath(path)}));
    ColumnMap columns(file.table.header);
    std::vector<std::string> notes = readingNotes(path, columns, file.shape.encoding);
    return {std::move(columns), std::move(file.table.rows), std::move(notes)};
}

ObservationRow observationRow(const ObservationFileRows& file, std::size_t index, const std::filesystem::path& path) {
    const TableRow& row = file.rows.at(index);
    try {
        file.columns.checkWidth(row);
    } catch (const std::invalid_argument& malformed) {
        throw ObservationFileError(withArguments(translate("观测文件 %1 的第 %2 行不是一组观测数据：%3"),
                                                 {shownPath(path), std::to_string(row.sheetRow), malformed.what()}));
    }
    return {file.columns, row, file.columns.id(row)};
}

ObservationRow openObservationRow(const std::filesystem::path& path, const std::optional<std::string>& id,
                                  std::vector<std::string>* notes) {
    std::error_code status;
    if (!std::filesystem::exists(path, status)) throw ObservationFileError(cannotRead(path, readReason(ENOENT)));
    // The file is read row by row and only the row asked for is kept: a campaign of any length fits in memory.
    std::optional<ColumnMap> columns;
    std::optional<TableRow> found;
    std::size_t rows = 0, again = 0;
    CsvFileShape shape;
    try {
        shape = readCsvFile(
            path, [&](const std::vector<std::string>& header) { columns.emplace(header); },
            [&](const TableRow& row) {
                ++rows;
                if (id && columns->id(row) != *id) return;
                if (!found) found = row;
                else if (id && again == 0) again = row.sheetRow;
            });
    } catch (const FileNotRead& problem) {
        throw ObservationFileError(cannotRead(path, problem.what()));
    } catch (const CampaignFileError& error) {
        throw ObservationFileError(withArguments(translate("观测文件 %1 不是观测数据文件：%2"), {shownPath(path), error.what()}));
    }
    if (rows == 0) throw ObservationFileError(withArguments(translate("观测文件 %1 中没有数据行"), {shownPath(path)}));
    if (notes) *notes = readingNotes(path, *columns, shape.encoding);
    if (!found) {
        throw ObservationFileError(withArguments(translate("观测文件 %1 中没有 id 为 \"%2\" 的行"), {shownPath(path), *id}));
    }
    if (again != 0) {
        throw ObservationFileError(withArguments(
            translate("观测文件 %1 中 id 为 \"%2\" 的行不止一行：第 %3 行和第 %4 行；请先把 id 改成各不相同"),
            {shownPath(path), *id, std::to_string(found->sheetRow), std::to_string(again)}));
    }
    return observationRow(ObservationFileRows{*columns, {*found}, {}}, 0, path);
}

std::string saveObservations(const std::filesystem::path& path, const Observations& values,
                             const std::string& id, bool replaceFile) {
    const UpdateLock lock(path);
    std::error_code status;
    const bool extended = !replaceFile && std::filesystem::file_size(path, status) > 0 && !status;
    std::vector<std::string> header = campaignColumns();
    std::set<std::string> idsHeld;
    CsvFileShape shape{TextEncoding::utf8WithByteOrderMark, "\r\n", true};
    if (extended) {
        const ReadFile file = campaignOf(path);
        header = file.table.header;
        shape = file.shape;
        const ColumnMap columns(header);
        for (const TableRow& row : file.table.rows) idsHeld.insert(columns.id(row));
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
        const auto known = std::find(names.begin(), names.end(), name);
        const auto column = static_cast<Column>(known - names.begin());
        cells.push_back(known == names.end() ? std::string() : column == Column::id ? givenId : textOf(values, column));
    }
    // The row in the file's own line ends and encoding.
    std::string encoded = encodedLine(path, header, cells, shape);
    if (!shape.endsWithLineEnd) encoded = encodedText(shape.lineEnd, shape.encoding) + encoded;
    std::string text;
    if (extended) {
        std::ifstream file(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), {});
        if (!file.is_open() || file.bad()) throw ObservationFileError(cannotRead(path, readReason(errno)));
    } else {
        text = std::string(byteOrderMark(shape.encoding)) + csvLine(header);
    }
    writeBytes(path, text + encoded);
    return hasIdColumn ? givenId : std::string();
}

bool fillObservationRow(const std::filesystem::path& path, const Observations& values, const std::string& id) {
    const UpdateLock lock(path);
    std::error_code status;
    if (id.empty() || !(std::filesystem::file_size(path, status) > 0) || status) return false;
    ReadFile file = campaignOf(path);
    CsvTable& table = file.table;
    const ColumnMap columns(table.header);
    const auto row = std::find_if(table.rows.begin(), table.rows.end(),
                                  [&](const TableRow& held) { return columns.id(held) == id; });
    if (row == table.rows.end()) return false;
    observationRow(ObservationFileRows{columns, {*row}, {}}, 0, path);  // a row of the header's width
    checkColumnsHeld(path, table.header, values);
    const auto& names = campaignColumns();
    for (std::size_t cell = 0; cell < table.header.size(); ++cell) {
        const auto column = std::find(names.begin(), names.end(), table.header[cell]) - names.begin();
        if (column == static_cast<std::ptrdiff_t>(names.size())) continue;
        const std::string& value = textOf(values, static_cast<Column>(column));
        if (!value.empty()) row->cells[cell] = value;
    }
    // The file written again as it was read: its encoding, byte-order mark and line ends.
    std::string text(byteOrderMark(file.shape.encoding));
    text += encodedLine(path, table.header, table.header, file.shape);
    for (const TableRow& held : table.rows) text += encodedLine(path, table.header, held.cells, file.shape);
    writeBytes(path, text);
    return true;
}

}  // namespace morvalen::files
