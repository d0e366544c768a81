#include "cli/BatchFieldBooks.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "analysis/ChecksText.h"
#include "entry/Utf8.h"
#include "fieldbook/FieldBookFile.h"
#include "files/AtomicFile.h"
#include "files/ObservationFile.h"
#include "i18n/Language.h"

namespace morvalen::cli {
namespace {

using files::Column;
constexpr Column angleColumns[8] = {Column::b1, Column::b2, Column::b3, Column::b4,
                                    Column::b5, Column::b6, Column::b7, Column::b8};

}  // namespace

BatchFieldBooks::BatchFieldBooks(const std::vector<std::string>& header, const std::filesystem::path& campaign,
                                 const document::RigorousOptions& rigorous)
    : folder_(campaign.parent_path()), rigorous_(rigorous) {
    const auto found = std::find(header.begin(), header.end(), files::fieldBookColumn);
    if (found != header.end()) column_ = static_cast<std::size_t>(found - header.begin());
    for (std::size_t k = 0; k < 8; ++k) {
        const std::string& name = files::campaignColumns()[static_cast<std::size_t>(angleColumns[k])];
        const auto at = std::find(header.begin(), header.end(), name);
        angleAt_[k] = at == header.end() ? absent : static_cast<std::size_t>(at - header.begin());
    }
}

files::TableRow BatchFieldBooks::withBookAngles(const files::TableRow& row, const files::ColumnMap& columns) {
    reduction_.reset();
    note_.clear();
    const std::string book = column_ < row.cells.size() ? trimmed(row.cells[column_]) : std::string();
    if (book.empty()) {
        note_ = i18n::translate("这一行没有观测手簿");
        return row;
    }
    const Observations typed = columns.observations(row);
    const std::string& fourth = typed.runCase() == RunCase::azimuth ? typed.names[3] : typed.names[4];
    try {
        const std::filesystem::path path = folder_ / files::pathOf(book);
        reduction_ = fieldbook::reduceFieldBook(fieldbook::readFieldBook(path), *analysis::findDirectionMethodLimits("2"),
                                                std::array{typed.names[0], typed.names[1], typed.names[2], fourth});
    } catch (const fieldbook::FieldBookError& problem) {
        note_ = i18n::withArguments(i18n::translate("观测手簿 %1 无法归算：%2"), {book, problem.what()});
        std::cerr << i18n::withArguments(i18n::translate("第 %1 行：%2"), {std::to_string(row.sheetRow), note_}) << '\n';
        return row;
    }
    const bool anglesEmpty = std::all_of(std::begin(angleColumns), std::end(angleColumns),
                                         [&](Column column) { return trimmed(columns.cell(row, column)).empty(); });
    if (!anglesEmpty) return row;  // the angles as the row gives them
    files::TableRow filled = row;
    for (std::size_t k = 0; k < 8; ++k) {
        if (angleAt_[k] < filled.cells.size()) filled.cells[angleAt_[k]] = reduction_->angles[k];
    }
    return filled;
}

const std::vector<std::string>& BatchFieldBooks::rigorousColumns() {
    static const std::vector<std::string> columns = {"rigorous_sigma0", "rigorous_dof", "rigorous_global_test",
                                                     "rigorous_max_difference_mm", "rigorous_note"};
    return columns;
}

std::vector<std::string> BatchFieldBooks::rigorousCells(const batch::BatchResult& result) {
    std::vector<std::string> cells(rigorousColumns().size());
    if (!reduction_) {
        cells.back() = present() ? note_ : std::string(i18n::translate("观测文件没有 field_book 列"));
        return cells;
    }
    if (!result.completed()) {
        cells.back() = i18n::translate("经典平差没有完成");
        return cells;
    }
    try {
        const rigorous::RigorousRun run =
            rigorous::rigorousRun(result.run.state, *reduction_, document::observationSigmasOf(rigorous_, *reduction_));
        const auto& adjustment = run.adjustment;
        if (adjustment.sigma0) cells[0] = analysis::decimalText(*adjustment.sigma0, 3);
        cells[1] = std::to_string(adjustment.dof);
        if (adjustment.globalTest) cells[2] = std::string(analysis::verdictText(adjustment.globalTest->passes));
        double largest = 0;
        for (const rigorous::StationDifference& difference : run.differences) {
            largest = std::max(largest, std::hypot(difference.dx, difference.dy));
        }
        cells[3] = analysis::decimalText(largest, 1);
    } catch (const rigorous::RigorousError& problem) {
        cells.back() = problem.what();
    }
    return cells;
}

}  // namespace morvalen::cli
