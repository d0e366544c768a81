// The coordinate sections of the tables 平差计算过程: the side chain by the sine rule and the traverse.
#include <cmath>

#include "form/FieldText.h"
#include "i18n/Language.h"
#include "report/StepsTables.h"

namespace morvalen::report {
namespace {

using Row = std::vector<std::string>;
using i18n::translate;
using i18n::withArguments;

std::string fixed(double value, int decimals) { return std::isfinite(value) ? roundedFixed(value, decimals) : "—"; }

std::string stationName(const SurveyState& state, int station) {
    const auto at = static_cast<std::size_t>(station);
    return at < state.pointNames.size() ? state.pointNames[at] : "";
}

// The stations at the ends of a side: S(1) = 1–2, S(2) = 2–3, S(3) = 3–4, S(4) = 4–1, S(5) = 2–4, S(6) = 1–3, with
// station j being pointNames(j − 1).
std::string sideName(const SurveyState& state, int side) {
    static const int ends[7][2] = {{0, 0}, {1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 4}, {1, 3}};
    if (side < 1 || side > 6) return "S(" + std::to_string(side) + ")";
    return "S(" + std::to_string(side) + ") " + stationName(state, ends[side][0] - 1) + "–" +
           stationName(state, ends[side][1] - 1);
}

// `diagonalLength`: the start side when it is a diagonal (5 or 6), which the legs do not hold.
StepsTable sideChainTable(const SurveyState& state, const TraverseLegs& legs, double diagonalLength) {
    using enum Alignment;
    StepsTable made;
    made.title = translate("表 6  边长推算（正弦定理：新边 = 起算边 × sin 分子角 / sin 分母角）");
    made.heads = {translate("推算边"), translate("起算边"),     translate("起算边长（m）"), translate("分子角"),
                  translate("sin 分子角"), translate("分母角"), translate("sin 分母角"),   translate("推算边长（m）")};
    made.alignments = {left, left, right, centre, right, centre, right, right};
    for (int i = 0; i < legs.chainLength; ++i) {
        const SideChainStep& chained = legs.chain[static_cast<std::size_t>(i)];
        const bool outerSide = chained.fromSide >= 1 && chained.fromSide <= 4;
        const double fromLength = outerSide ? legs.sides[static_cast<std::size_t>(chained.fromSide)] : diagonalLength;
        made.rows.push_back({sideName(state, chained.newSide), sideName(state, chained.fromSide),
                             fixed(fromLength, 4), chained.numeratorAngle,
                             fixed(chained.numeratorSine, 8), chained.denominatorAngle,
                             fixed(chained.denominatorSine, 8), fixed(chained.length, 4)});
    }
    return made;
}

StepsTable traverseTable(const SurveyState& state, const CoordinateSteps& coordinates) {
    using enum Alignment;
    StepsTable made;
    made.title = translate("表 7  座标推算");
    made.heads = {translate("边"),      translate("方位角 α"), translate("边长 S（m）"), translate("Δx（m）"),
                  translate("Δy（m）"), translate("点名"),     translate("X（m）"),       translate("Y（m）")};
    made.alignments = {left, right, right, right, right, centre, right, right};
    const TraverseLegs& legs = *coordinates.legs;
    const TraverseSteps& traverse = *coordinates.traverse;
    made.rows.push_back({"", "", "", "", "", stationName(state, 0), fixed(traverse.x[0], 3), fixed(traverse.y[0], 3)});
    const int n = coordinates.stations;
    for (int i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        made.rows.push_back({sideName(state, i), sexagesimalText(legs.azimuths[at]), fixed(legs.sides[at], 4),
                             fixed(legs.deltaX[at], 3), fixed(legs.deltaY[at], 3), stationName(state, i),
                             fixed(traverse.x[at], 3), fixed(traverse.y[at], 3)});
    }
    const double closure = std::hypot(traverse.closureX, traverse.closureY);
    const char* against = n == 4 ? translate("回到 A 点的闭合差（推算减已知）：fx = %1 m，fy = %2 m，f = %3 m")
                                 : translate("推算的 B 点减已知的 B 点：fx = %1 m，fy = %2 m，f = %3 m");
    made.notes.push_back(
        withArguments(against, {fixed(traverse.closureX, 4), fixed(traverse.closureY, 4), fixed(closure, 4)}));
    return made;
}

}  // namespace

void addCoordinateSections(StepsDocument& document, const SurveyState& state, const CoordinateSteps& coordinates) {
    StepsSection section{translate("五、座标推算"), {}};
    std::vector<std::string> start;
    if (coordinates.knownSide) {
        const KnownSideStart& known = *coordinates.knownSide;
        start.push_back(withArguments(translate("Δx(AB) = %1 m，Δy(AB) = %2 m，D(AB) = %3 m，αAB = %4"),
                                      {fixed(known.deltaX, 3), fixed(known.deltaY, 3), fixed(known.length, 4),
                                       sexagesimalText(known.azimuth)}));
        start.push_back(
            translate("α(1) = αAB − b(1) − b(8)；α(i) = α(i − 1) − b(2i − 2) − b(2i − 1) − 180°（小于 0 加 360°）"));
    }
    if (coordinates.azimuthStart) {
        const AzimuthStart& given = *coordinates.azimuthStart;
        start.push_back(withArguments(translate("Ta = %1，Qa = %2，起算边 %3 = %4 m"),
                                      {sexagesimalText(given.externalAzimuth), sexagesimalText(given.orientationAngle),
                                       sideName(state, given.startSide), fixed(given.length, 4)}));
        start.push_back(translate("α(1) = Ta + Qa；α(i) = α(i − 1) − b(2i − 2) − b(2i − 1) − 180°（小于 0 加 360°）"));
    }
    if (coordinates.legs) {
        const double startLength = coordinates.azimuthStart ? coordinates.azimuthStart->length : 0.0;
        StepsTable chain = sideChainTable(state, *coordinates.legs, startLength);
        chain.notes = start;
        section.tables.push_back(chain);
    }
    if (coordinates.legs && coordinates.traverse) section.tables.push_back(traverseTable(state, coordinates));
    if (!section.tables.empty()) document.sections.push_back(section);
}

}  // namespace morvalen::report
