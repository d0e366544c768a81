#include "entry/SurveyState.h"

#include <algorithm>

namespace morvalen {

void prepareState(SurveyState& state) {
    state.upperBound4 = 4;
    state.upperBound3 = 3;
    // Renewed in place: the storage of the previous run is reused.
    state.pointNames.resize(static_cast<std::size_t>(state.upperBound4) + 1);
    for (auto& name : state.pointNames) name.clear();
    for (auto* angles : {&state.adjustedAngles, &state.observedAngles}) {
        angles->resize(9);
        for (auto& angle : *angles) angle.clear();
    }
    state.closures.resize(static_cast<std::size_t>(state.upperBound4) + 1);
    std::fill(state.closures.begin(), state.closures.end(), 0.0f);
    const auto size = static_cast<std::size_t>(state.upperBound3) + 1;
    state.normalMatrix.resize(size);
    for (auto& row : state.normalMatrix) {
        row.resize(size);
        std::fill(row.begin(), row.end(), 0.0);
    }
    state.radiansPerDegree = tenDecimalPi / 180;
    state.computationComplete = false;
}

RunCase runCase(const SurveyState& state) { return runCase(state.xb, state.yb); }

RunCase runCase(const EntryValue& xb, const EntryValue& yb) {
    const bool xbZero = xb.equalsZero();
    const bool ybZero = yb.equalsZero();
    if (!xbZero && !ybZero) return RunCase::knownSide;
    if (xbZero && ybZero) return RunCase::azimuth;
    return RunCase::mixed;
}

}  // namespace morvalen
