// libFuzzer target over the campaign reader: bytes in any encoding, read as a campaign file. Every cell handed on
// must be well-formed UTF-8, every row number a spreadsheet row after the header's, and nothing may crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "entry/Utf8.h"
#include "files/CsvFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace morvalen::files;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<ColumnMap> columns;
    std::size_t headerRow = 0, lastRow = 0;
    try {
        readCsvBytes(
            bytes,
            [&](const std::vector<std::string>& header) {
                for (const auto& cell : header) {
                    if (!morvalen::isValidUtf8(cell)) std::abort();
                }
                columns.emplace(header);
            },
            [&](const TableRow& row) {
                if (headerRow == 0) headerRow = row.sheetRow - row.rowNumber;
                if (row.sheetRow <= lastRow || row.sheetRow < row.rowNumber + 1) std::abort();
                lastRow = row.sheetRow;
                for (const auto& cell : row.cells) {
                    if (!morvalen::isValidUtf8(cell)) std::abort();
                }
                try {
                    const morvalen::Observations set = columns->observations(row);
                    const auto b8 = morvalen::EnteredValue::b8;
                    if (set.text(b8) != columns->cell(row, columnOf(b8))) std::abort();
                } catch (const std::invalid_argument&) {
                    // a row of the wrong width is reported, not read
                }
            });
    } catch (const CampaignFileError&) {
        // no campaign: refused with a reason
    }
    return 0;
}
