#include "analysis/Analysis.h"

namespace morvalen::analysis {

Analysis analyse(const SurveyState& state, const CheckStandard& standard) {
    Analysis analysis;
    analysis.checks = checkComputation(state, standard);
    if (analysis.checks) analysis.precision = analysePrecision(state, standard.sigma);
    return analysis;
}

Analysis analyse(const SurveyState& state, const std::optional<CheckStandard>& standard) {
    return standard ? analyse(state, *standard) : Analysis{};
}

}  // namespace morvalen::analysis
