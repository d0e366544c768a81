// The report as it goes to paper, the same from the window's 打 印 and the terminal's --pdf.
#pragma once

#include <optional>

#include "analysis/Analysis.h"
#include "fieldbook/DirectionReduction.h"
#include "report/ReportModel.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::report {

// The report's page; when the computation was checked against a grade or an own σ, the page of its checks, then the
// page of the precision of the stations, with the plot of the network after it; then the reduction of the field book whose
// angles the computation used, when one did, and the rigorous adjustment of its directions and distances, when asked.
struct PrintedDocument {
    Pages pages;
    std::optional<analysis::NetworkPrecision> plot;
};

PrintedDocument printedDocument(const SurveyState& state, const analysis::Analysis& analysed,
                                const fieldbook::FieldBookReduction* fieldBook = nullptr,
                                const rigorous::RigorousRun* rigorous = nullptr);

}  // namespace morvalen::report
