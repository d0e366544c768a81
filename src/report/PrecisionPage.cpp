#include "report/PrecisionPage.h"

#include <cmath>

#include "analysis/ChecksText.h"
#include "form/FieldText.h"
#include "i18n/Language.h"
#include "report/PageWriter.h"

namespace morvalen::report {
namespace {

using analysis::decimalText;
using i18n::translate;
using i18n::withArguments;

// Tab columns besides those of every page: the columns of the numbers of the tables.
constexpr std::array<int, 6> stationColumns = {34, 42, 50, 58, 66, 74};
constexpr int lengthColumn = 42;
constexpr int relativeErrorColumn = 52;
constexpr int azimuthErrorColumn = 66;
constexpr int listColumn = 44;
// The columns of the table of the pairs of stations: distance, σD, 1/T, σ of the azimuth, a, b, φ.
constexpr std::array<int, 7> pairColumns = {32, 42, 49, 59, 65, 72, 79};

// A relative error worse than the side itself keeps its fraction: 1/0 would be no result.
std::string reciprocal(double denominator) {
    return "1/" + generalForm(static_cast<float>(denominator >= 1 ? std::trunc(denominator) : denominator));
}

void writeStations(const analysis::NetworkPrecision& precision, LineWriter& out) {
    out.line().at(sectionColumn, withArguments(translate("点位精度 (协方差传播，测角中误差 σ= %1 秒) :"),
                                               {decimalText(precision.sigma, 2)}));
    out.line().at(labelColumn, translate("点名"));
    const char* heads[] = {"mx(mm)", "my(mm)", "mp(mm)", "a(mm)", "b(mm)", translate("φ(度)")};
    for (std::size_t i = 0; i < stationColumns.size(); ++i) out.at(stationColumns[i], heads[i]);
    for (const analysis::StationPrecision& station : precision.stations) {
        if (station.fixed) continue;
        const double values[] = {station.mx, station.my, station.mp, station.ellipse.a, station.ellipse.b};
        out.line().at(labelColumn, station.name);
        for (std::size_t i = 0; i < 5; ++i) out.at(stationColumns[i], " " + decimalText(values[i], 2));
        out.at(stationColumns[5], " " + decimalText(station.ellipse.phiDegrees, 1));
    }
}

void writeSides(const analysis::NetworkPrecision& precision, LineWriter& out) {
    out.line();
    out.line().at(labelColumn, translate("边")).at(lengthColumn, translate("边长(米)"))
        .at(relativeErrorColumn, translate("相对中误差")).at(azimuthErrorColumn, translate("方位角误差(秒)"));
    for (const analysis::SidePrecision& side : precision.sides) {
        const bool fixedAzimuth = analysis::azimuthFixed(precision, side.side);
        out.line().at(labelColumn, sideText(precision, side.side))
            .at(lengthColumn, " " + decimalText(side.length, 3))
            .at(relativeErrorColumn, " " + sideRelativeErrorText(precision, side))
            .at(azimuthErrorColumn,
                fixedAzimuth ? std::string(translate(" 固定")) : " " + decimalText(side.azimuthError, 2));
    }
}

void writeWeakestSide(const analysis::NetworkPrecision& precision, LineWriter& out) {
    out.line();
    if (precision.weakestSide == 0) return;
    const analysis::SidePrecision& weakest = precision.sides[static_cast<std::size_t>(precision.weakestSide - 1)];
    out.line().at(sectionColumn, translate("最弱边 (协方差传播) :"))
        .at(listColumn, sideText(precision, weakest.side) + "  " + sideRelativeErrorText(precision, weakest));
    out.line().at(sectionColumn, translate("最弱边 (经典算法) :"))
        .at(listColumn, sideText(precision, precision.classicalSide) + "  " +
                            withArguments(translate("%1 (按 mb)"), {reciprocal(precision.classicalDenominator)}));
    out.line().at(listColumn,
                  sideText(precision, precision.classicalSide) + "  " +
                      withArguments(translate("%1 (按 σ)"), {reciprocal(precision.classicalDenominatorAtSigma)}));
    for (const std::string& sentence : weakestSideNote(precision)) out.line().at(labelColumn, sentence);
}

void writeRelative(const analysis::NetworkPrecision& precision, LineWriter& out) {
    out.line().at(sectionColumn, translate("点间相对精度 (相对误差椭圆，协方差传播) :"));
    out.line().at(labelColumn, translate("点间"));
    const char* heads[] = {translate("距离(米)"), "σD(mm)", "1/T", "σα(″)", "a(mm)", "b(mm)", translate("φ(度)")};
    for (std::size_t i = 0; i < pairColumns.size(); ++i) out.at(pairColumns[i], heads[i]);
    for (const analysis::RelativePrecision& pair : precision.relative) {
        out.line().at(labelColumn, pairText(precision, pair)).at(pairColumns[0], " " + decimalText(pair.distance, 3));
        out.at(pairColumns[1], " " + decimalText(pair.distanceError, 2));
        out.at(pairColumns[2], " " + pairRelativeErrorText(pair));
        out.at(pairColumns[3], " " + decimalText(pair.azimuthError, 2));
        out.at(pairColumns[4], " " + decimalText(pair.ellipse.a, 2));
        out.at(pairColumns[5], " " + decimalText(pair.ellipse.b, 2));
        out.at(pairColumns[6], " " + decimalText(pair.ellipse.phiDegrees, 1));
    }
    for (const std::string& sentence : relativeNote(precision)) out.line().at(labelColumn, sentence);
    if (precision.largestRelative) {
        out.line().at(sectionColumn, withArguments(translate("最大点间误差 : %1"), {largestRelativeText(precision)}));
    }
}

}  // namespace

std::string pairText(const analysis::NetworkPrecision& precision, const analysis::RelativePrecision& pair) {
    return precision.stations[static_cast<std::size_t>(pair.from)].name + "-" +
           precision.stations[static_cast<std::size_t>(pair.to)].name;
}

std::string pairRelativeErrorText(const analysis::RelativePrecision& pair) {
    if (pair.relativeErrorDenominator) return reciprocal(*pair.relativeErrorDenominator);
    return translate("固定");
}

std::string largestRelativeText(const analysis::NetworkPrecision& precision) {
    if (!precision.largestRelative) return {};
    const analysis::RelativePrecision& pair = precision.relative[*precision.largestRelative];
    return pairText(precision, pair) + "  a= " + decimalText(pair.ellipse.a, 2) + " mm";
}

std::vector<std::string> relativeNote(const analysis::NetworkPrecision& precision) {
    std::vector<std::string> note;
    if (precision.knownSide) {
        note.push_back(withArguments(translate("%1 两点均为已知点，其间没有误差，不列。"),
                                     {precision.stations[0].name + "-" + precision.stations[3].name}));
    }
    for (const analysis::RelativePrecision& pair : precision.relative) {
        const std::string names = pairText(precision, pair);
        if (pair.fixedLength && pair.fixedAzimuth) {
            note.push_back(withArguments(translate("%1 为起算边，方位与边长均已给定，误差为零。"), {names}));
        } else if (pair.fixedLength) {
            note.push_back(withArguments(translate("%1 为起算边，边长已给定：σD 为零。"), {names}));
        } else if (pair.fixedAzimuth) {
            note.push_back(withArguments(translate("%1 的方位角由 Ta+Qa 给定：σα 为零。"), {names}));
        }
    }
    return note;
}

std::string sideText(const analysis::NetworkPrecision& precision, int side) {
    const auto& stations = analysis::sideStations[static_cast<std::size_t>(side - 1)];
    return "S( " + std::to_string(side) + " ) " + precision.stations[static_cast<std::size_t>(stations[0])].name + "-" +
           precision.stations[static_cast<std::size_t>(stations[1])].name;
}

std::string sideRelativeErrorText(const analysis::NetworkPrecision& precision, const analysis::SidePrecision& side) {
    if (side.relativeErrorDenominator) return reciprocal(*side.relativeErrorDenominator);
    return side.side == precision.heavySide && precision.knownSide ? translate("已知边") : translate("起算边");
}

std::vector<std::string> weakestSideNote(const analysis::NetworkPrecision& precision) {
    const std::string classical = "S( " + std::to_string(precision.classicalSide) + " )";
    std::vector<std::string> note;
    note.push_back(translate("经典算法用平差所得 mb，"));
    note.push_back(withArguments(precision.knownSide ? translate("只沿强度较弱的推算路线评定 %1；")
                                                     : translate("只评定由 S( 1 ) 推算的 %1；"),
                                 {classical}));
    note.push_back(translate("协方差传播用先验 σ，评定全部六条边，"));
    note.push_back(precision.weakestSide == precision.classicalSide
                       ? withArguments(translate("最弱者也是 %1，按同一 σ 两者一致。"), {classical})
                       : withArguments(translate("最弱者是 S( %1 )，不是经典算法所评定的边。"),
                                       {std::to_string(precision.weakestSide)}));
    if (!precision.knownSide && precision.heavySide != 1) {
        note.push_back(withArguments(translate("本例起算边为 S( %1 )，经典算法仍当 S( 1 ) 为起算边，"),
                                     {std::to_string(precision.heavySide)}));
        note.push_back(withArguments(translate("故对 %1 的评定与传播不同。"), {classical}));
    }
    return note;
}

std::vector<Line> precisionPageLines(const analysis::NetworkPrecision& precision) {
    LineWriter out;
    out.line();
    writeStations(precision, out);
    writeSides(precision, out);
    writeWeakestSide(precision, out);
    out.line();
    writeRelative(precision, out);
    return out.take();
}

}  // namespace morvalen::report
