#include "files/ResultExport.h"

#include <algorithm>
#include <cctype>

#include "files/CsvText.h"
#include "files/ResultTable.h"
#include "i18n/Language.h"

namespace morvalen::files {

ExportFormat exportFormatOf(const std::filesystem::path& path) {
    const auto extension = path.extension().u8string();
    std::string lower(extension.begin(), extension.end());
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == ".dat") return ExportFormat::cassCoordinates;
    if (lower == ".csv") return ExportFormat::csv;
    if (lower == ".xlsx") return ExportFormat::xlsx;
    if (lower == ".dxf") return ExportFormat::dxf;
    throw FileNotWritten(i18n::withArguments(
        i18n::translate("没有写出成果文件 %1：不认识的扩展名，可用 .dat（CASS 坐标）、.csv、.xlsx、.dxf"), {shownPath(path)}));
}

std::string resultCsv(const SurveyState& state, const analysis::NetworkPrecision* precision) {
    const ResultSheet table = resultTable(state, precision);
    std::string text = "\xEF\xBB\xBF" + csvLine(table.headings);
    for (const auto& row : table.rows) {
        std::vector<std::string> cells;
        for (const Cell& cell : row) cells.push_back(cell.text);
        text += guardedCsvLine(cells);
    }
    return text;
}

void exportResults(const SurveyState& state, const std::filesystem::path& path,
                   const analysis::NetworkPrecision* precision) {
    const ExportFormat format = exportFormatOf(path);
    if (!state.computationComplete) {
        throw NothingToExport(i18n::withArguments(
            i18n::translate("没有写出成果文件 %1：还没有完成的计算，或最近一次计算已中止。请先完成一次计算再导出。"),
            {shownPath(path)}));
    }
    try {
        switch (format) {
        case ExportFormat::cassCoordinates: writeBytes(path, cassCoordinateData(state)); break;
        case ExportFormat::csv: writeBytes(path, resultCsv(state, precision)); break;
        case ExportFormat::xlsx: writeResultWorkbook(state, path, precision); break;
        case ExportFormat::dxf: writeResultDrawing(state, path); break;
        }
    } catch (const FileNotWritten& failure) {
        const std::string message = failure.what();
        // Messages about the file name it already; those about the content get the file put in front.
        if (message.find(shownPath(path)) != std::string::npos) throw;
        throw FileNotWritten(i18n::withArguments(i18n::translate("没有写出成果文件 %1：%2"), {shownPath(path), message}));
    }
}

}  // namespace morvalen::files
