// The analysis of a completed computation against a check standard: the checks and the precision of the stations,
// made together in one place for every front end (the window, the terminal, the report, the batch, the exports).
#pragma once

#include <optional>

#include "analysis/Checks.h"
#include "analysis/GradeTable.h"
#include "analysis/NetworkPrecision.h"
#include "command/RunRecord.h"

namespace morvalen::analysis {

struct Analysis {
    std::optional<Checks> checks;  // none when no computation ran to its end
    // The stations and sides propagated with the standard's σ; none without checks, or when no coordinates could be
    // propagated (a mixed case).
    std::optional<NetworkPrecision> precision;

    const NetworkPrecision* precisionOrNull() const { return precision ? &*precision : nullptr; }
};

// The checks of the computation the record holds and, when there are checks, the precision of its stations with
// the standard's σ in seconds of arc.
Analysis analyse(const RunRecord& record, const CheckStandard& standard);

// The same for a standard that may not be chosen: nothing at all without one.
Analysis analyse(const RunRecord& record, const std::optional<CheckStandard>& standard);

}  // namespace morvalen::analysis
