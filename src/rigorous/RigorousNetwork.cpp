#include "rigorous/RigorousNetwork.h"

#include <algorithm>
#include <cmath>

#include "analysis/ChecksText.h"
#include "entry/PackedAngle.h"
#include "form/NumberChars.h"
#include "i18n/Language.h"

namespace morvalen::rigorous {
namespace {

using i18n::translate;
using i18n::withArguments;

double entered(const EntryValue& value) {
    const std::optional<double> number = value.numericValue();
    if (!number) throw RigorousError(translate("经典平差没有算出坐标，严密平差无从起算"));
    return *number;
}

// The index of a station of the quadrilateral; none for a far target.
std::optional<int> placeOf(const fieldbook::FieldBookReduction& reduction, const std::string& name) {
    const auto found = std::find(reduction.quadrilateral.begin(), reduction.quadrilateral.end(), name);
    if (found == reduction.quadrilateral.end()) return std::nullopt;
    return static_cast<int>(found - reduction.quadrilateral.begin());
}

}  // namespace

ObservationSigmas defaultSigmas(const fieldbook::FieldBookReduction& reduction) {
    ObservationSigmas sigmas;
    const std::string_view instrument = reduction.limits->instrument;  // the σ of one direction in one round
    if (const std::optional<double> seconds = numberChars::read(instrument)) sigmas.directionSeconds = *seconds;
    return sigmas;
}

Network networkOf(const SurveyState& state, const fieldbook::FieldBookReduction& reduction, const ObservationSigmas& sigmas) {
    const RunCase kind = runCase(state);
    if (!state.computationComplete || kind == RunCase::mixed || state.pointX.size() < 4 || state.pointY.size() < 4) {
        throw RigorousError(translate("经典平差没有算出坐标，严密平差无从起算"));
    }
    Network network;
    network.names = reduction.quadrilateral;
    for (std::size_t i = 0; i < 4; ++i) {
        network.x[i] = state.pointX[i];
        network.y[i] = state.pointY[i];
    }
    network.x[0] = entered(state.xa);
    network.y[0] = entered(state.ya);
    network.datum.knownSide = kind == RunCase::knownSide;
    if (network.datum.knownSide) {
        network.x[3] = entered(state.xb);
        network.y[3] = entered(state.yb);
    } else {
        const std::optional<double> ta = toDegrees(state.Ta), qa = toDegrees(state.Qa);
        if (!ta || !qa) throw RigorousError(translate("经典平差没有算出坐标，严密平差无从起算"));
        network.datum.azimuthDegrees = *ta + *qa;
        network.datum.startSide = state.startSideNumber;
        network.datum.startSideLength = entered(state.startSideLength);
    }
    network.directionSigmaSeconds = sigmas.directionSeconds;
    network.distanceSigmaMillimetres = sigmas.distanceMillimetres;
    network.distanceSigmaPpm = sigmas.distancePpm;
    for (const fieldbook::Station& station : reduction.stations) {
        const std::optional<int> at = placeOf(reduction, station.name);
        if (!at) continue;
        for (const fieldbook::Round& round : station.rounds) {
            for (const fieldbook::ReducedPointing& pointing : round.pointings) {
                const std::optional<int> target = placeOf(reduction, pointing.target);
                if (!target) continue;  // a far target: its direction only fixes its own orientation
                if (pointing.reduced) {
                    network.observations.push_back({ObservationKind::direction, *at, *target, round.number, *pointing.reduced});
                }
                if (pointing.distance) {
                    network.observations.push_back({ObservationKind::distance, *at, *target, round.number, *pointing.distance});
                }
            }
        }
    }
    return network;
}

std::vector<StationDifference> stationDifferences(const SurveyState& state, const RigorousAdjustment& adjustment) {
    std::vector<StationDifference> differences;
    for (std::size_t i = 0; i < 4 && i < state.pointX.size(); ++i) {
        const AdjustedStation& station = adjustment.stations[i];
        if (station.fixed) continue;
        StationDifference difference{station.name, (station.x - state.pointX[i]) * 1000,
                                     (station.y - state.pointY[i]) * 1000, 0};
        const double sigma = std::hypot(station.sxMillimetres, station.syMillimetres);
        difference.ratio = sigma > 0 ? std::hypot(difference.dx, difference.dy) / sigma : 0;
        differences.push_back(difference);
    }
    return differences;
}

std::string differenceSentence(const std::vector<StationDifference>& differences, bool withDistances) {
    if (differences.empty()) return {};
    const auto largest = std::max_element(differences.begin(), differences.end(), [](const auto& a, const auto& b) {
        return std::hypot(a.dx, a.dy) < std::hypot(b.dx, b.dy);
    });
    const std::string why = withDistances
        ? translate("经典平差把八个角当作独立、等精度的观测，严密平差按测回平差方向值并用上了测距")
        : translate("经典平差把八个角当作独立、等精度的观测，严密平差按测回平差方向值（同一测站的角相关）");
    const std::string size = withArguments(translate("最大差 %1 毫米（%2），为其中误差的 %3 倍"),
                                           {analysis::decimalText(std::hypot(largest->dx, largest->dy), 1),
                                            largest->name, analysis::decimalText(largest->ratio, 2)});
    const char* verdict = largest->ratio < 1   ? i18n::catalogued("小于中误差，实际上无关紧要")
                          : largest->ratio < 3 ? i18n::catalogued("与中误差同量级，精密放样时宜用严密平差的结果")
                                               : i18n::catalogued("超过中误差的三倍，应以严密平差为准并检查观测");
    return withArguments(translate("两者之差来自模型：%1；%2，%3。"), {why, size, translate(verdict)});
}

RigorousRun rigorousRun(const SurveyState& state, const fieldbook::FieldBookReduction& reduction,
                        const ObservationSigmas& sigmas) {
    RigorousRun run{networkOf(state, reduction, sigmas), {}, {}, {}};
    run.adjustment = adjustNetwork(run.network);
    run.differences = stationDifferences(state, run.adjustment);
    const bool withDistances = std::any_of(run.network.observations.begin(), run.network.observations.end(),
                                           [](const Observation& o) { return o.kind == ObservationKind::distance; });
    run.sentence = differenceSentence(run.differences, withDistances);
    return run;
}

}  // namespace morvalen::rigorous
