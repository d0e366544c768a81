#include "report/FieldBookPage.h"

#include "analysis/ChecksText.h"
#include "i18n/Language.h"
#include "report/PageWriter.h"

namespace morvalen::report {
namespace {

using analysis::decimalText;
using fieldbook::packedAngleText;
using i18n::translate;
using i18n::translateCaption;
using i18n::withArguments;

// Tab columns of the field book's table, and of the checks and the angles below it.
constexpr int stationColumn = 1;
constexpr int roundColumn = 7;
constexpr int targetColumn = 12;
constexpr int leftColumn = 19;
constexpr int rightColumn = 29;
constexpr int twoCColumn = 39;
constexpr int meanColumn = 45;
constexpr int reducedColumn = 55;
constexpr int directionColumn = 66;
constexpr int checkLabelColumn = 4;  // the checks and the angles below the table
constexpr int valueColumn = 46;
constexpr int limitColumn = 58;
constexpr int verdictColumn = 70;

std::string seconds(double value) { return decimalText(value, 1) + translate(" 秒"); }

constexpr int tableColumns[fieldBookTableWidth] = {stationColumn, roundColumn,   targetColumn,
                                                  leftColumn,    rightColumn,   twoCColumn,
                                                  meanColumn,    reducedColumn, directionColumn};

void writeTable(const fieldbook::FieldBookReduction& reduction, PageWriter& out) {
    const auto write = [&](const FieldBookTableRow& row) {
        for (std::size_t column = 0; column < fieldBookTableWidth; ++column) {
            if (!row[column].empty()) out.tab(tableColumns[column]).text(row[column]);
        }
    };
    // The titles over two lines, as a field book heads its columns, to keep the table within the page.
    out.line();
    write({translate("测站"), translate("测回"), translate("目标"), translateCaption("盘左"), translateCaption("盘右"), "2C",
           translate("平均读数"), translate("归零后"), translate("各测回平均")});
    out.line();
    write({"", "", "", "", "", translate("(秒)"), "", translate("方向值"), translate("方向值")});
    for (const FieldBookTableRow& row : fieldBookTableRows(reduction)) {
        if (!row[0].empty()) out.line();  // a blank line before each station
        out.line();
        write(row);
    }
}

void writeChecks(const fieldbook::FieldBookReduction& reduction, PageWriter& out) {
    out.line();
    out.line().tab(stationColumn).text(translate("检核 :")).tab(valueColumn).text(translateCaption("数值"))
        .tab(limitColumn).text(translate("限差")).tab(verdictColumn).text(translateCaption("检核"));
    std::string again;
    for (const fieldbook::Check& check : reduction.checks) {
        out.line().tab(checkLabelColumn).text(checkPlaceText(check) + " " + std::string(checkKindText(check.kind)))
            .tab(valueColumn).text(seconds(check.value)).tab(limitColumn)
            .text(check.limit ? seconds(*check.limit) : std::string(translate("无限差")))
            .tab(verdictColumn).text(std::string(checkVerdictText(check)));
        if (!check.ok) {
            const std::string place =
                check.round ? checkPlaceText(check) : withArguments(translate("%1 各测回"), {checkPlaceText(check)});
            if (again.find(place) == std::string::npos) again += (again.empty() ? "" : translate("、")) + place;
        }
    }
    out.line();
    out.line().tab(stationColumn).text(translate("需重测 :")).tab(checkLabelColumn + 8)
        .text(again.empty() ? std::string(translate("无")) : again);
}

// Each line's mean horizontal distance, where the book has distances (a total station's raw file).
void writeDistances(const fieldbook::FieldBookReduction& reduction, PageWriter& out) {
    if (reduction.distances.empty()) return;
    out.line();
    out.line().tab(stationColumn).text(translate("平距 :")).tab(checkLabelColumn + 8)
        .text(translate("斜距 × sin(天顶距)，盘左、盘右及各测回平均"));
    out.line().tab(checkLabelColumn).text(translate("测站")).tab(targetColumn).text(translate("目标"))
        .tab(leftColumn).text(translate("次数")).tab(rightColumn).text(translate("平距(米)"))
        .tab(meanColumn).text(translate("较差(毫米)"));
    for (const fieldbook::LineDistance& line : reduction.distances) {
        out.line().tab(checkLabelColumn).text(line.station).tab(targetColumn).text(line.target)
            .tab(leftColumn).text(std::to_string(line.count)).tab(rightColumn).text(decimalText(line.horizontal, 4))
            .tab(meanColumn).text(decimalText(line.spread, 1));
    }
}

void writeAngles(const fieldbook::FieldBookReduction& reduction, PageWriter& out) {
    out.line();
    out.line().tab(stationColumn).text(translate("四边形 :")).tab(checkLabelColumn + 8)
        .text(withArguments(translate("%1、%2、%3、%4（顺时针）"),
                            {reduction.quadrilateral[0], reduction.quadrilateral[1], reduction.quadrilateral[2],
                             reduction.quadrilateral[3]}));
    for (std::size_t k = 0; k < 8; k += 2) {
        out.line();
        for (std::size_t j = k; j < k + 2; ++j) {
            out.tab(checkLabelColumn + static_cast<int>(j - k) * 24).text("b( " + std::to_string(j + 1) + " ) = " +
                                                                     reduction.angles[j]);
        }
    }
    out.line().tab(stationColumn).text(translate("测角中误差（可作 --sigma）:")).tab(checkLabelColumn + 28)
        .text(sigmaText(reduction.angleSigma));
}

// Each line's distances: how many, their mean and spread.
void writeLines(const fieldbook::FieldBookReduction& reduction, PageWriter& out) {
    if (reduction.lines.empty()) return;
    out.line();
    out.line().tab(stationColumn).text(translate("距离 :")).tab(valueColumn).text(translate("平均值（米）"))
        .tab(limitColumn).text(translate("较差（毫米）"));
    for (const fieldbook::MeasuredLine& line : reduction.lines) {
        out.line().tab(checkLabelColumn)
            .text(withArguments(translate("%1–%2 测 %3 次"), {line.from, line.to, std::to_string(line.count)}))
            .tab(valueColumn).text(decimalText(line.mean, 4)).tab(limitColumn).text(decimalText(line.spread * 1000, 1));
    }
}

}  // namespace

std::vector<FieldBookTableRow> fieldBookTableRows(const fieldbook::FieldBookReduction& reduction) {
    std::vector<FieldBookTableRow> rows;
    for (const fieldbook::Station& station : reduction.stations) {
        bool firstRow = true;
        for (std::size_t r = 0; r < station.rounds.size(); ++r) {
            const fieldbook::Round& round = station.rounds[r];
            for (std::size_t p = 0; p < round.pointings.size(); ++p) {
                const fieldbook::ReducedPointing& pointing = round.pointings[p];
                FieldBookTableRow& row = rows.emplace_back();
                if (firstRow) row[0] = station.name;
                firstRow = false;
                if (p == 0) row[1] = std::to_string(round.number);
                row[2] = pointing.target;
                row[3] = pointing.left;
                row[4] = pointing.right;
                row[5] = decimalText(pointing.twoC, 1);
                row[6] = packedAngleText(pointing.mean);
                if (pointing.reduced) row[7] = packedAngleText(*pointing.reduced);
                if (r == 0 && p < station.directions.size()) row[8] = packedAngleText(station.directions[p].mean);
            }
            if (round.closure) {
                rows.push_back({"", "", translate("归零差"), seconds(round.closure->left), seconds(round.closure->right)});
            }
        }
        rows.push_back({"", "", translate("测站平差 一测回方向中误差 μ = ") + sigmaText(station.sigma)});
    }
    return rows;
}

std::string_view checkKindText(fieldbook::CheckKind kind) {
    switch (kind) {
        case fieldbook::CheckKind::closure: return translate("半测回归零差");
        case fieldbook::CheckKind::twoCSpread: return translate("一测回内 2C 互差");
        case fieldbook::CheckKind::roundSpread: return translate("同一方向值各测回较差");
    }
    return {};
}

std::string_view checkVerdictText(const fieldbook::Check& check) {
    return check.applicable ? analysis::verdictText(check.ok) : translate("不适用");
}

std::string sigmaText(const std::optional<double>& seconds) {
    return seconds ? decimalText(*seconds, 2) + translate(" 秒") : std::string(translate("—（一个测回）"));
}

std::string checkPlaceText(const fieldbook::Check& check) {
    return check.round ? withArguments(translate("测站 %1 第 %2 测回"), {check.station, std::to_string(*check.round)})
                       : withArguments(translate("测站 %1"), {check.station});
}

std::vector<Line> fieldBookPageLines(const fieldbook::FieldBookReduction& reduction) {
    PageWriter out;
    out.line().tab(headingColumn).text(translate("--- 观测手簿归算（方向观测法）---"));
    out.line().tab(stationColumn).text(translate("限差 :")).tab(checkLabelColumn + 8)
        .text(withArguments(translate("%1，%2″级仪器，%3"), {translate(analysis::directionMethodStandard.data()),
                                                              reduction.limits->instrument,
                                                              translate(reduction.limits->grades.data())}));
    out.line();
    writeTable(reduction, out);
    writeChecks(reduction, out);
    writeLines(reduction, out);
    writeDistances(reduction, out);
    writeAngles(reduction, out);
    return out.take();
}

}  // namespace morvalen::report
