#include "analysis/Analysis.h"

namespace morvalen::analysis {

Analysis analyse(const RunRecord& record, const CheckStandard& standard) {
    Analysis analysis;
    analysis.checks = checkComputation(record, standard);
    if (analysis.checks) analysis.precision = analysePrecision(record, standard.sigma);
    return analysis;
}

Analysis analyse(const RunRecord& record, const std::optional<CheckStandard>& standard) {
    return standard ? analyse(record, *standard) : Analysis{};
}

}  // namespace morvalen::analysis
