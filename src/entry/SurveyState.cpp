#include "entry/SurveyState.h"

namespace morvalen {

void prepareState(SurveyState& state) {
    state.upperBound4 = 4;
    state.upperBound3 = 3;
    const auto fiveEntries = static_cast<std::size_t>(state.upperBound4) + 1;
    const auto fourEntries = static_cast<std::size_t>(state.upperBound3) + 1;
    state.pointNames.assign(fiveEntries, std::string());
    state.adjustedAngles.assign(9, EntryValue());
    state.observedAngles.assign(9, EntryValue());
    state.closures.assign(fiveEntries, 0.0f);
    state.normalMatrix.assign(fourEntries, std::vector<double>(fourEntries, 0.0));
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

const char* caseKey(RunCase kind) {
    switch (kind) {
    case RunCase::knownSide: return "known-side";
    case RunCase::azimuth: return "azimuth";
    case RunCase::mixed: return "mixed";
    }
    return "mixed";
}

}  // namespace morvalen
