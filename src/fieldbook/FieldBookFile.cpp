#include "fieldbook/FieldBookFile.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "entry/Utf8.h"
#include "fieldbook/RawFieldBook.h"
#include "files/CsvFile.h"
#include "i18n/Language.h"

namespace morvalen::fieldbook {

std::vector<Pointing> readFieldBook(const std::filesystem::path& path) {
    if (auto raw = readRawFieldBook(path)) return std::move(*raw);
    files::CsvTable table;
    try {
        files::readCsvFile(
            path, [&](const std::vector<std::string>& header) { table.header = header; },
            [&](const files::TableRow& row) { table.rows.push_back(row); });
    } catch (const files::FileNotRead& problem) {
        throw FieldBookError(problem.what());
    } catch (const files::CampaignFileError& problem) {
        throw FieldBookError(problem.what());
    }
    try {
        files::refuseOtherSeparators(table.header);
    } catch (const files::CampaignFileError& problem) {
        throw FieldBookError(problem.what());
    }
    std::size_t at[std::size(fieldBookColumns)];
    for (std::size_t column = 0; column < std::size(fieldBookColumns); ++column) {
        const auto found = std::find(table.header.begin(), table.header.end(), fieldBookColumns[column]);
        if (found == table.header.end()) {
            throw FieldBookError(i18n::withArguments(
                i18n::translate("缺少列 \"%1\"（观测手簿的列为 station,round,target,left,right）"), {fieldBookColumns[column]}));
        }
        at[column] = static_cast<std::size_t>(found - table.header.begin());
    }
    const auto distanceColumn = std::find(table.header.begin(), table.header.end(), optionalDistanceColumn);
    std::vector<Pointing> pointings;
    for (const files::TableRow& row : table.rows) {
        if (row.cells.size() != table.header.size()) {
            throw FieldBookError(i18n::withArguments(i18n::translate("第 %1 行有 %2 个单元格，标题行有 %3 个"),
                                                     {std::to_string(row.sheetRow), std::to_string(row.cells.size()),
                                                      std::to_string(table.header.size())}));
        }
        const std::string distance = distanceColumn == table.header.end()
            ? std::string()
            : trimmed(row.cells[static_cast<std::size_t>(distanceColumn - table.header.begin())]);
        pointings.push_back({row.sheetRow, trimmed(row.cells[at[0]]), trimmed(row.cells[at[1]]),
                             trimmed(row.cells[at[2]]), trimmed(row.cells[at[3]]), trimmed(row.cells[at[4]]), distance});
    }
    if (pointings.empty()) throw FieldBookError(i18n::translate("没有观测行"));
    return pointings;
}

}  // namespace morvalen::fieldbook
