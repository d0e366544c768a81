#include "report/RigorousPage.h"

#include <cmath>
#include <string_view>

#include "analysis/ChecksText.h"
#include "i18n/Language.h"
#include "report/PageWriter.h"

namespace morvalen::report {
namespace {

using analysis::decimalText;
using i18n::translate;
using i18n::withArguments;
using rigorous::ObservationKind;

constexpr std::array<int, 7> stationColumns = {8, 22, 36, 46, 54, 62, 70};  // name, X, Y, σx, σy, a, b (φ after)
constexpr int phiColumn = 77;
constexpr std::array<int, 6> observationColumns = {8, 18, 28, 36, 50, 62};  // kind, station, target, round, v, r (w)
constexpr int wColumn = 76;
constexpr int textColumn = 4;

void writeSummary(const rigorous::RigorousRun& run, LineWriter& out) {
    for (const std::string& sentence : rigorousSummary(run)) out.line().at(textColumn, sentence);
}

void writeStations(const rigorous::RigorousRun& run, LineWriter& out) {
    out.line();
    out.line().at(textColumn, translate("坐标 :"));
    const char* heads[] = {translate("点名"), "X(m)", "Y(m)", "σx(mm)", "σy(mm)", "a(mm)", "b(mm)"};
    out.line();
    for (std::size_t i = 0; i < stationColumns.size(); ++i) out.at(stationColumns[i], heads[i]);
    out.at(phiColumn, translate("φ(度)"));
    for (const rigorous::AdjustedStation& station : run.adjustment.stations) {
        out.line().at(stationColumns[0], station.name).at(stationColumns[1], decimalText(station.x, 4))
            .at(stationColumns[2], decimalText(station.y, 4));
        if (station.fixed) {
            out.at(stationColumns[3], translate("固定"));
            continue;
        }
        const double values[] = {station.sxMillimetres, station.syMillimetres, station.ellipse.a, station.ellipse.b};
        for (std::size_t i = 0; i < 4; ++i) out.at(stationColumns[i + 3], decimalText(values[i], 2));
        out.at(phiColumn, decimalText(station.ellipse.phiDegrees, 1));
    }
}

void writeDifferences(const rigorous::RigorousRun& run, LineWriter& out) {
    out.line();
    out.line().at(textColumn, translate("严密平差 − 经典平差 :"));
    out.line().at(stationColumns[0], translate("点名")).at(stationColumns[1], "dX(mm)").at(stationColumns[2], "dY(mm)")
        .at(stationColumns[3], translate("为σ的倍数"));
    for (const rigorous::StationDifference& difference : run.differences) {
        out.line().at(stationColumns[0], difference.name).at(stationColumns[1], decimalText(difference.dx, 1))
            .at(stationColumns[2], decimalText(difference.dy, 1)).at(stationColumns[3], decimalText(difference.ratio, 2));
    }
    // The sentence in two lines, at its semicolon, to stay within the paper.
    std::string_view sentence = run.sentence;
    for (const std::string_view semicolon : {std::string_view("；"), std::string_view("; ")}) {
        if (const std::size_t at = sentence.find(semicolon); at != std::string_view::npos) {
            out.line().at(textColumn, std::string(sentence.substr(0, at + semicolon.size())));
            sentence.remove_prefix(at + semicolon.size());
            break;
        }
    }
    out.line().at(textColumn, std::string(sentence));
    if (const auto largest = largestErrorSentence(run)) out.line().at(textColumn, *largest);
}

void writeObservations(const rigorous::RigorousRun& run, LineWriter& out) {
    out.line();
    out.line().at(textColumn, withArguments(translate("观测值（改正数 = 平差值 − 观测值；|w| > %1 应检查）:"),
                                            {decimalText(wTestLimit, 2)}));
    const char* heads[] = {translate("类别"), translate("测站"), translate("目标"), translate("测回"),
                           translate("改正数"), translate("多余观测分量")};
    out.line();
    for (std::size_t i = 0; i < observationColumns.size(); ++i) out.at(observationColumns[i], heads[i]);
    out.at(wColumn, "w");
    for (const rigorous::AdjustedObservation& observation : run.adjustment.observations) {
        const rigorous::Observation& observed = observation.observed;
        out.line().at(observationColumns[0], observationKindText(observed))
            .at(observationColumns[1], run.network.names[static_cast<std::size_t>(observed.station)])
            .at(observationColumns[2], run.network.names[static_cast<std::size_t>(observed.target)])
            .at(observationColumns[3], std::to_string(observed.round))
            .at(observationColumns[4], decimalText(observation.residual, 2) +
                                           (observed.kind == ObservationKind::direction ? "″" : " mm"))
            .at(observationColumns[5], decimalText(observation.redundancy, 3));
        if (observation.w) {
            out.at(wColumn, decimalText(*observation.w, 2) + (std::abs(*observation.w) > wTestLimit ? " *" : ""));
        }
    }
}

}  // namespace

std::vector<std::string> rigorousSummary(const rigorous::RigorousRun& run) {
    const rigorous::RigorousAdjustment& adjustment = run.adjustment;
    std::size_t directions = 0, distances = 0;
    for (const rigorous::Observation& observation : run.network.observations) {
        ++(observation.kind == ObservationKind::direction ? directions : distances);
    }
    std::vector<std::string> sentences = {
        withArguments(translate("先验中误差 : 方向 σ = %1″（一测回两盘平均），测距 %2 mm + %3 ppm"),
                      {decimalText(run.network.directionSigmaSeconds, 2), decimalText(run.network.distanceSigmaMillimetres, 1),
                       decimalText(run.network.distanceSigmaPpm, 1)}),
        withArguments(translate("观测值 : %1 个方向，%2 个距离；多余观测数 %3；迭代 %4 次"),
                      {std::to_string(directions), std::to_string(distances), std::to_string(adjustment.dof),
                       std::to_string(adjustment.iterations)})};
    if (!adjustment.sigma0) {
        sentences.push_back(translate("没有多余观测：σ0 与整体检验无从计算，精度按先验中误差"));
        return sentences;
    }
    const rigorous::GlobalTest& test = *adjustment.globalTest;
    sentences.push_back(withArguments(translate("单位权中误差 σ0 = %1（无量纲，√(vᵀPv / %2)）"),
                                      {decimalText(*adjustment.sigma0, 3), std::to_string(adjustment.dof)}));
    sentences.push_back(withArguments(translate("整体检验（χ²，单侧 5%）: vᵀPv = %1，界限 %2  %3"),
                                      {decimalText(adjustment.weightedSquareSum, 2), decimalText(test.limit, 2),
                                       std::string(analysis::verdictText(test.passes))}));
    return sentences;
}

std::optional<std::string> largestErrorSentence(const rigorous::RigorousRun& run) {
    const auto& adjustment = run.adjustment;
    if (!adjustment.largestRelative) return std::nullopt;
    const rigorous::RelativeEllipse& largest = adjustment.relative[*adjustment.largestRelative];
    return withArguments(translate("点间最大误差 : %1–%2，相对误差椭圆 a = %3 mm，b = %4 mm"),
                         {run.network.names[static_cast<std::size_t>(largest.from)],
                          run.network.names[static_cast<std::size_t>(largest.to)], decimalText(largest.ellipse.a, 2),
                          decimalText(largest.ellipse.b, 2)});
}

std::string observationKindText(const rigorous::Observation& observation) {
    return observation.kind == ObservationKind::direction ? translate("方向") : translate("距离");
}

std::vector<Line> rigorousPageLines(const rigorous::RigorousRun& run) {
    PageWriter out;
    out.line().at(headingColumn, translate("--- 严密平差（方向与距离，间接平差）---"));
    writeSummary(run, out);
    writeStations(run, out);
    writeDifferences(run, out);
    writeObservations(run, out);
    return out.take();
}

}  // namespace morvalen::report
